#pragma once

#include <emscripten/val.h>

#include <string>

// Says a line through a screen reader without moving the focus: a polite live region at the end of
// the page's window, out of sight. It holds each line only while the line is being announced, so
// that a reader going through the page later does not meet it again. The same line must be heard
// again when a pick brings it again, but the browsers tell nothing when a region's text is replaced
// by the same text, and Orca drops a line the same as the last it announced: so the region is
// emptied before each line, and every other line ends in a zero-width space, which is not heard.
class Announcer {
public:
    Announcer();
    ~Announcer();
    Announcer(const Announcer&) = delete;
    Announcer& operator=(const Announcer&) = delete;

    void announce(std::u16string line);

private:
    static void show(void* announcer);
    static void empty(void* announcer);
    void later(void (*step)(void*), double milliseconds);

    emscripten::val region_;
    std::u16string line_;
    long timer_ = 0;
    bool marked_ = false; // whether the line shown last ended in the zero-width space
};
