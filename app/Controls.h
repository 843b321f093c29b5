// The control help printed once the world is ready.
#pragma once

#include <array>
#include <ostream>

inline constexpr std::array<const char*, 6> kControlLines{
    "Schiessen mit der linken Maustaste ",
    "Bewegung in x und z Richtung mit WASD",
    "Bewegung in y Richtung mit Q und E",
    "Mit rechter Maustaste FREELOOK an-/ausschalten",
    "Mit B Taste Beamen starten, falls man sich in der Naehe einer Stadt befindet",
    "Mit T Taste Torpedo abschiessen",
};

inline void printControls(std::ostream& out) {
    for (const char* line : kControlLines)
        out << line << std::endl;
}
