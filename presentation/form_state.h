#pragma once

#include <cstdint>
#include <optional>

namespace presentation {

// What the two event handlers share. Only Busy carries meaning from one event to the next:
// each handler sets the other two fields before it reads them.
struct FormState {
    // Position of the bird last picked in the names list; empty until one is.
    std::optional<std::int16_t> SelectedBird;
    // Number of the family last shown; empty until one is. A double holds every family number and
    // every 16-bit index exactly, so one type serves both the converted family code of a bird and
    // the index of a family button.
    std::optional<double> CurrentFamily;
    // Above 0 while a handler body runs, so that an event raised from inside it (selecting a
    // family button from code) returns at once instead of overwriting the info box.
    std::int16_t Busy = 0;
};

// Enters a handler body unless one is already running, and puts Busy back to 0 however the body
// ends.
class EventGuard {
public:
    explicit EventGuard(FormState& state) : busy_(state.Busy), entered_(state.Busy <= 0) {
        if (entered_)
            busy_ = 2;
    }
    ~EventGuard() {
        if (entered_)
            busy_ = 0;
    }
    EventGuard(const EventGuard&) = delete;
    EventGuard& operator=(const EventGuard&) = delete;

    bool entered() const { return entered_; }

private:
    std::int16_t& busy_;
    bool entered_;
};

} // namespace presentation
