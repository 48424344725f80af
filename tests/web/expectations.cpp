// Prints the expectations of expected.h as JSON, for the browser test, which is written in
// JavaScript and so cannot include them: the texts stay typed once.

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
    out += "\"birds\": " +
           array(expected::Birds,
                 [](const expected::Bird& b) {
                     return "{\"name\": " + quoted(b.name) +
                            ", \"family\": " + std::to_string(b.family) +
                            ", \"descriptionLength\": " + std::to_string(b.descriptionLength) +
                            ", \"descriptionOpening\": " + quoted(b.descriptionOpening) + "}";
                 }) +
           ",\n";
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
                     return "{\"key\": " + std::to_string(static_cast<int>(step.key)) +
                            ", \"name\": " + std::to_string(step.name) +
                            ", \"family\": " + std::to_string(step.family) +
                            ", \"shows\": " + std::to_string(static_cast<int>(step.shows)) + "}";
                 }) +
           ",\n";
    out += "\"startupText\": " + quoted(expected::StartupText) + "\n}\n";
    std::fputs(out.c_str(), stdout);
    return 0;
}
