// Checks on grabbed or read-back pictures shared by the GL and e2e tests: pixels near a colour, where and
// how much two pictures differ, and the box around the set pixels of a mask.
#pragma once

#include <opencv2/core.hpp>

#include <algorithm>
#include <vector>

// Pixels of a rectangle within `tolerance` of a colour (blue, green, red) in every channel.
inline int pixelsNear(const cv::Mat& picture, const cv::Rect& where, const cv::Scalar& bgr, int tolerance) {
    cv::Mat hits;
    cv::inRange(picture(where), bgr - cv::Scalar::all(tolerance), bgr + cv::Scalar::all(tolerance), hits);
    return cv::countNonZero(hits);
}

// Mask of the pixels of a rectangle where two pictures differ by more than `threshold` in any channel.
inline cv::Mat changes(const cv::Mat& a, const cv::Mat& b, const cv::Rect& where, int threshold = 25) {
    cv::Mat difference, channels[3], largest;
    cv::absdiff(a(where), b(where), difference);
    cv::split(difference, channels);
    cv::max(channels[0], channels[1], largest);
    cv::max(largest, channels[2], largest);
    return largest > threshold;
}

// How many pixels of a rectangle differ between two pictures by more than `threshold` in any channel.
inline int changed(const cv::Mat& a, const cv::Mat& b, const cv::Rect& where, int threshold = 25) {
    return cv::countNonZero(changes(a, b, where, threshold));
}

// The smallest rectangle around the set pixels of a mask, in the mask's coordinates; empty for none.
inline cv::Rect boundingBox(const cv::Mat& mask) {
    std::vector<cv::Point> points;
    cv::findNonZero(mask, points);
    if (points.empty())
        return {};
    cv::Point low = points[0], high = points[0];
    for (const cv::Point& p : points) {
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
    }
    return {low, high + cv::Point(1, 1)};
}

// The radar pointer on a full-screen grab: the only near-white pixels of the radar's top-left corner.
inline cv::Rect radarPointer(const cv::Mat& shot) {
    cv::Mat white;
    cv::inRange(shot(cv::Rect(0, 0, shot.cols * 2 / 5, shot.rows / 5)), cv::Scalar::all(215),
                cv::Scalar::all(255), white);
    return boundingBox(white);
}
