// Prints the expectations of expected.h as JSON, for the browser test and the screen-reader test,
// which are written in JavaScript and Python and so cannot include them: the texts stay typed once.

#include "check.h"
#include "expected.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

std::string quoted(std::u16string_view text) {
    std::string out = "\"";
    for (const char c : check::utf8(text)) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += c;
        }
    }
    return out + "\"";
}

std::string quoted(std::string_view text) {
    return quoted(std::u16string(text.begin(), text.end()));
}

std::string rgb(expected::Rgb c) {
    return "[" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
           std::to_string(c.blue) + "]";
}

// A key by the name the DOM gives it, which the browsers' drivers take.
std::string key(expected::Press press) {
    using expected::Press;
    switch (press) {
    case Press::Tab:
    case Press::ShiftTab:
        return quoted("Tab");
    case Press::Up:
        return quoted("ArrowUp");
    case Press::Down:
        return quoted("ArrowDown");
    case Press::Left:
        return quoted("ArrowLeft");
    case Press::Right:
        return quoted("ArrowRight");
    case Press::Home:
        return quoted("Home");
    case Press::End:
        return quoted("End");
    case Press::PageUp:
        return quoted("PageUp");
    case Press::PageDown:
        return quoted("PageDown");
    case Press::Space:
        return quoted(" ");
    }
    return "null";
}

std::string shows(expected::Shows what) {
    switch (what) {
    case expected::Shows::StartupText:
        return quoted("startup text");
    case expected::Shows::Bird:
        return quoted("bird");
    case expected::Shows::Listing:
        return quoted("listing");
    }
    return "null";
}

template <typename List, typename Each> std::string array(const List& list, Each each) {
    std::string out = "[";
    for (const auto& item : list)
        out += (out.size() > 1 ? ",\n  " : "\n  ") + each(item);
    return out + "]";
}

} // namespace

int main() {
    std::string out = "{";
    out += "\"clientWidth\": " + std::to_string(expected::ClientWidth) + ",\n";
    out += "\"clientHeight\": " + std::to_string(expected::ClientHeight) + ",\n";
    out += "\"captionEnding\": " + quoted(expected::CaptionEnding) + ",\n";
    out += "\"titleLabel\": " + quoted(expected::TitleLabel) + ",\n";
    out += "\"listHeading\": " + quoted(expected::ListHeading) + ",\n";
    out += "\"frameCaption\": " + quoted(expected::FrameCaption) + ",\n";
    out += "\"infoBoxName\": " + quoted(expected::InfoBoxName) + ",\n";
    out += "\"familyCaptions\": " +
           array(expected::FamilyCaptions, [](std::u16string_view c) { return quoted(c); }) + ",\n";
    std::string birds;
    for (std::size_t p = 0; p < expected::Birds.size(); ++p) {
        const expected::Bird& b = expected::Birds[p];
        birds += (birds.empty() ? "\n  " : ",\n  ") + ("{\"name\": " + quoted(b.name)) +
                 ", \"family\": " + std::to_string(b.family) +
                 ", \"textOpening\": " + quoted(expected::birdText(p, b.descriptionOpening)) +
                 ", \"textLength\": " +
                 std::to_string(expected::birdText(p, u"").size() + b.descriptionLength) + "}";
    }
    out += "\"birds\": [" + birds + "],\n";
    out += "\"familyListings\": " +
           array(expected::FamilyListings, [](std::u16string_view l) { return quoted(l); }) + ",\n";
    out += "\"places\": " +
           array(expected::Places,
                 [](const expected::Place& p) {
                     return "{\"control\": " + quoted(p.control) +
                            ", \"left\": " + std::to_string(p.left) +
                            ", \"top\": " + std::to_string(p.top) +
                            ", \"width\": " + std::to_string(p.width) +
                            ", \"height\": " + std::to_string(p.height) + "}";
                 }) +
           ",\n";
    out += "\"colours\": {\"form\": " + rgb(expected::FormColour) +
           ", \"label\": " + rgb(expected::LabelColour) +
           ", \"frame\": " + rgb(expected::FrameColour) + "},\n";
    out += "\"namesInView\": " + std::to_string(expected::NamesInView) + ",\n";
    out += "\"keySession\": " +
           array(expected::KeySession,
                 [](const expected::KeyStep& step) {
                     return "{\"key\": " + key(step.key) + ", \"shift\": " +
                            (step.key == expected::Press::ShiftTab ? "true" : "false") +
                            ", \"name\": " + std::to_string(step.name) +
                            ", \"family\": " + std::to_string(step.family) +
                            ", \"shows\": " + shows(step.shows) + "}";
                 }) +
           ",\n";
    out += "\"startupText\": " + quoted(expected::StartupText) + "\n}\n";
    std::fputs(out.c_str(), stdout);
    return 0;
}
