// Writes the page that the browser opens and the web app manifest, from the form and the catalogue:
//   page_writer OUTPUT_FOLDER
// The whole window, its start-up text included, is in the page itself, so the browser paints it
// before the program has loaded; the program then takes over the controls it finds there.

#include "catalogue.h"
#include "form_definition.h"
#include "utf8.h"

#include <emscripten/emscripten.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>

namespace {

using catalogue::utf8;

// Text for HTML, inside elements and inside quoted attributes alike. A CR LF becomes an LF, the
// break the page's controls keep.
std::string html(std::u16string_view text) {
    std::string out;
    for (const char c : utf8(text)) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Text for a quoted CSS string, where character references mean nothing: a quote, a backslash, a
// line break or a "<" (which could close the style element) goes as its code in hex.
std::string css(std::u16string_view text) {
    std::string out = "\"";
    for (const char c : utf8(text)) {
        if (c == '"' || c == '\\' || c == '<' || c == '\n' || c == '\r') {
            const auto code = static_cast<unsigned char>(c);
            out += {'\\', "0123456789abcdef"[code >> 4], "0123456789abcdef"[code & 15], ' '};
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// Text for a JSON string: the manifest's texts are plain, so quotes and backslashes are all.
std::string json(std::u16string_view text) {
    std::string out;
    for (const char c : utf8(text)) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

std::string px(int twips) {
    return std::to_string(form::toPixels(twips)) + "px";
}

// A control's place in its container, as an inline style.
std::string place(form::Twips twips) {
    return "left:" + px(twips.left) + ";top:" + px(twips.top) + ";width:" + px(twips.width) +
           ";height:" + px(twips.height);
}

std::string colour(form::Colour c) {
    return "rgb(" + std::to_string(c.red) + "," + std::to_string(c.green) + "," +
           std::to_string(c.blue) + ")";
}

// A list's option draws a run of spaces as one, in every browser and whatever the style says; a
// no-break space for each space after the first keeps them all on the screen, and the program
// reads them back as spaces.
std::string optionText(std::u16string_view name) {
    std::u16string shown(name);
    for (std::size_t i = 1; i < shown.size(); ++i)
        if (shown[i] == u' ' && name[i - 1] == u' ')
            shown[i] = u'\u00A0';
    return html(shown);
}

// What a search engine shows under the page's title.
constexpr std::u16string_view Description =
    u"Кривоклюн е учебна програма за шестнадесет грабливи птици от три семейства: совови, "
    u"соколови и ястребови. Изберете птица, за да прочетете описанието ѝ.";

// A finger, or a screen narrower than the window, gets the window's controls, texts and colours
// arranged anew: one column as tall as the screen (two side by side from 600 px), the list taking
// what the others leave and scrolling itself, the info box last, so that an answer shows where
// the finger is not. The desktop's places are inline styles, which only !important overrides; the
// window's own rules, which come first, stay as they are for a mouse on a wide enough screen.
std::string touchLayout() {
    return "@media (pointer:coarse),(max-width:579.98px){\n"
           "main>*,fieldset>label{position:static!important;width:auto!important;"
           "height:auto!important}\n"
           "main{display:grid;box-sizing:border-box;width:auto;max-width:960px;height:100vh;"
           "height:100dvh;margin:0 auto;padding:8px;gap:8px;grid-template:\"title\" auto "
           "\"frame\" auto \"heading\" auto \"list\" minmax(92px,1fr) \"text\" auto/"
           "minmax(0,1fr)}\n"
           "h1{grid-area:title;padding:4px}\n"
           "[id=" +
           css(form::Frame1Name) +
           "]{grid-area:frame}\n"
           "fieldset{padding:0 6px 6px}\n"
           "label[for]{grid-area:heading;padding:2px}\n"
           // A long name wraps rather than hide its end.
           "select{grid-area:list;min-height:0}\n"
           "option{height:auto;white-space:normal}\n"
           "textarea{grid-area:text;box-sizing:content-box;padding:2px 4px;line-height:1.25;"
           "height:6lh!important}\n"
           "}\n"
           // Targets of at least 44 x 44 px, as the phones' own guidelines ask.
           "@media (pointer:coarse){\n"
           "fieldset>label{min-height:44px}\n"
           "input{width:24px;height:24px}\n"
           "option{padding:13px 4px}\n"
           "}\n"
           "@media (pointer:coarse) and (min-width:600px){\n"
           "main{grid-template:\"title heading\" auto \"frame list\" auto \"text list\" 1fr/"
           "minmax(0,1fr) minmax(0,1fr)}\n"
           "textarea{height:auto!important;min-height:6lh}\n"
           "}\n";
}

// The page's one inline script. Until the program has taken the page over, its controls answer
// the pupil on their own; this notes which of them changed last, so that the program can honour
// the later of a name and a family.
constexpr const char* LastPickRecorder =
    "addEventListener(\"change\",(e)=>{window.krivoklyunLastPick=e.target},true)";

// The SHA-256 of a text in base64, by which a content policy names an inline script it lets run;
// from node, which runs this tool.
EM_JS(void, sha256Base64, (const char* text, char* digest), {
    const hash = require("crypto").createHash("sha256").update(UTF8ToString(text));
    stringToUTF8(hash.digest("base64"), digest, 45);
});

std::string page() {
    const form::Font& font = form::FormFont;
    char recorderDigest[45];
    sha256Base64(LastPickRecorder, recorderDigest);
    // The page runs only its own files and the recorder above: no other inline script, no eval.
    // Allowed: WebAssembly, which the program fetches from a data: address inside itself, and the
    // controls' places, inline.
    std::string out = "<!DOCTYPE html>\n<html lang=\"bg\">\n<head>\n<meta charset=\"utf-8\">\n"
                      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'self'; "
                      "script-src 'self' 'wasm-unsafe-eval' 'sha256-" +
                      std::string(recorderDigest) +
                      "'; style-src 'self' 'unsafe-inline'; connect-src 'self' data:\">\n"
                      "<meta name=\"viewport\" content=\"width=device-width,initial-scale=1\">\n"
                      "<meta name=\"description\" content=\"" +
                      html(Description) + "\">\n<title>" + html(form::Caption) +
                      "</title>\n"
                      "<link rel=\"icon\" href=\"krivoklyun.png\">\n"
                      "<style>\n";
    // Beyond the window's own size the page shows more of the form's background, as a larger
    // window would. Every control takes the form's font; none sets one of its own.
    out += "html{background:" + colour(form::FormBackground) + "}\n";
    out += "body{margin:0;font:" + std::to_string(font.weight) + " " +
           std::to_string(font.points * 96 / 72) + "px " + css(font.face) + ",serif}\n";
    out += "main{position:relative;width:" + px(form::ClientWidth) +
           ";height:" + px(form::ClientHeight) + "}\n";
    out += "main>*,fieldset>label{position:absolute;box-sizing:border-box;margin:0;padding:0;"
           "font:inherit}\n";
    out += "h1,label[for]{display:flex;align-items:center;justify-content:center;background:" +
           colour(form::Label1Background) + "}\n";
    // The frame's colour fills it up to its top edge, above its line too; its buttons are placed
    // from that edge, as on the desktop, not from inside the fieldset's border and legend.
    out +=
        "[id=" + css(form::Frame1Name) + "]{background:" + colour(form::Frame1Background) + "}\n";
    out += "fieldset{height:100%;box-sizing:border-box;margin:0;padding:0;border:2px groove}\n";
    out += "legend{margin-left:6px;padding:0 2px}\n";
    // Each family button is taller than the step between them, so they overlap; they show their
    // colour, which is the frame's, through it rather than paint over each other's captions.
    static_assert(form::Option1Background == form::Frame1Background);
    out += "fieldset>label{display:flex;align-items:center;white-space:nowrap}\n";
    out += "input{margin:0 4px 0 2px}\n";
    // Rows of the font's line spacing (18 px for Times New Roman at 16 px), as the desktop lists
    // draw them; the browsers' own are a pixel taller, which leaves the sixth name barely whole.
    out += "select{background:" + colour(form::List1Background) + "}\n";
    out += "option{padding:0 2px;min-height:0;height:18px;line-height:18px}\n";
    out += "textarea{resize:none;overflow-y:scroll}\n";
    // A run-time error leaves the window as it was, greyed, beneath the message.
    out += "main[inert]{opacity:.6}\n";
    out += touchLayout();
    out += "</style>\n<script>" + std::string(LastPickRecorder) +
           "</script>\n"
           "<script src=\"krivoklyun.js\" defer></script>\n"
           "</head>\n<body>\n<main>\n";

    out += "<h1 id=\"" + html(form::Label1[0].name) + "\" style=\"" + place(form::Label1[0].place) +
           "\">" + html(form::Label1[0].text) + "</h1>\n";

    // The controls are not a form to fill in (autocomplete="off"): a reload starts the window
    // afresh, as on the desktop, instead of the browser putting back the last pick and text.
    out += "<div id=\"" + html(form::Frame1Name) + "\" style=\"" + place(form::Frame1Place) +
           "\"><fieldset><legend>" + html(form::Frame1Caption) + "</legend>\n";
    for (std::size_t n = 0; n < catalogue::FamilyCount; ++n)
        out += "<label id=\"" + html(form::option1Name(n)) + "\" style=\"" +
               place(form::Option1Places[n]) + "\"><input type=\"radio\" name=\"" +
               html(form::Option1Name) + "\" autocomplete=\"off\">" +
               html(catalogue::Families[n].caption) + "</label>\n";
    out += "</fieldset></div>\n";

    // The heading names the list for assistive technology, as it does for the eye.
    out += "<label id=\"" + html(form::Label1[1].name) + "\" for=\"" + html(form::List1Name) +
           "\" style=\"" + place(form::Label1[1].place) + "\">" + html(form::Label1[1].text) +
           "</label>\n";
    out += "<select id=\"" + html(form::List1Name) + "\" size=\"" +
           std::to_string(catalogue::BirdCount) + "\" autocomplete=\"off\" style=\"" +
           place(form::List1Place) + "\">";
    for (const std::u16string_view name : catalogue::Names)
        out += "<option>" + optionText(name) + "</option>";
    out += "</select>\n";

    // The info box comes first in the focus order, so it has the focus from the start.
    out += "<textarea id=\"" + html(form::Text1Name) + "\" aria-label=\"" +
           html(form::Text1AccessibleName) +
           "\" spellcheck=\"false\" autocomplete=\"off\" autofocus style=\"" +
           place(form::Text1Place) + "\">" + html(form::StartupText) + "</textarea>\n";
    out += "</main>\n</body>\n</html>\n";
    return out;
}

std::string manifest() {
    const std::string name = json(form::Label1[0].text);
    std::string out = "{\n  \"name\": \"" + name + "\",\n  \"short_name\": \"" + name +
                      "\",\n  \"description\": \"" + json(form::Caption) +
                      "\",\n  \"lang\": \"bg\",\n  \"start_url\": \"./index.html\",\n"
                      "  \"display\": \"standalone\",\n  \"background_color\": \"" +
                      colour(form::FormBackground) + "\",\n  \"icons\": [\n";
    for (const int size : {192, 512})
        out += std::string("    {\"src\": \"icon-") + std::to_string(size) +
               ".png\", \"sizes\": \"" + std::to_string(size) + "x" + std::to_string(size) +
               "\", \"type\": \"image/png\"}" + (size == 192 ? ",\n" : "\n");
    return out + "  ]\n}\n";
}

bool write(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary);
    file << text;
    return static_cast<bool>(file.flush());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: page_writer OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!write(folder + "/index.html", page()) ||
        !write(folder + "/manifest.webmanifest", manifest())) {
        std::fprintf(stderr, "page_writer: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
