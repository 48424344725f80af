#include "announcer.h"

#include <emscripten/eventloop.h>

#include <utility>

using emscripten::val;

namespace {

// Long enough for both browsers to have told the screen reader of the emptied region; the line then
// stays a few seconds, far longer than the reader takes to pick it up.
constexpr double EmptyFor = 100;
constexpr double HeldFor = 3000;

val liveRegion() {
    const val document = val::global("document");
    val region = document.call<val>("createElement", val("div"));
    region.call<void>("setAttribute", val("aria-live"), val("polite"));
    // Out of the flow and out of sight in every layout, the phones' grid included.
    region.call<void>("setAttribute", val("style"),
                      val("position:absolute!important;width:1px!important;height:1px!important;"
                          "overflow:hidden;clip-path:inset(50%);white-space:nowrap"));
    document.call<val>("querySelector", val("main")).call<void>("append", region);
    return region;
}

} // namespace

Announcer::Announcer() : region_(liveRegion()) {}

Announcer::~Announcer() {
    emscripten_clear_timeout(timer_);
}

void Announcer::announce(std::u16string line) {
    line_ = std::move(line);
    region_.set("textContent", val(""));
    later(&Announcer::show, EmptyFor);
}

void Announcer::show(void* announcer) {
    auto& self = *static_cast<Announcer*>(announcer);
    self.marked_ = !self.marked_;
    self.region_.set("textContent", val(self.marked_ ? self.line_ + u'\u200B' : self.line_));
    self.later(&Announcer::empty, HeldFor);
}

void Announcer::empty(void* announcer) {
    static_cast<Announcer*>(announcer)->region_.set("textContent", val(""));
}

void Announcer::later(void (*step)(void*), double milliseconds) {
    emscripten_clear_timeout(timer_);
    timer_ = emscripten_set_timeout(step, milliseconds, this);
}
