// Catches what the game writes to standard output while it lives (torpedo launches print), with what had
// been written when the stream was last flushed.
#pragma once

#include <iostream>
#include <sstream>
#include <string>

struct CoutCapture : std::stringbuf {
    std::streambuf* const previous = std::cout.rdbuf(this);
    std::string flushed;
    ~CoutCapture() override { std::cout.rdbuf(previous); }
    int sync() override {
        flushed = str();
        return 0;
    }
};
