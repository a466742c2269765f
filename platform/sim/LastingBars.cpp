// Writing and reading a host's lasting command bars (see LastingBars.h).
// Reading goes in two steps: the whole text is parsed into plain records
// first, so that a bad line leaves the host's bars untouched, and only then
// are the records added to the bars.
#include "platform/sim/LastingBars.h"

#include "platform/rtl/FileUtils.h"
#include "platform/text/Text.h"
#include "platform/win/PlatformHome.h"

#include <cstdio>
#include <filesystem>

namespace sim {

namespace {

constexpr std::string_view kHeader = "lorvane-command-bars 1";
// Bounds on what a file may ask for: a larger one is not this machine's.
constexpr size_t kMaxFileSize = 16u << 20;
constexpr size_t kMaxDepth = 16;
constexpr int kMaxFaceSide = 256;

// ---- the records ----

struct KeptControl {
    int Type = 1;
    std::vector<std::pair<std::string, Variant>> Values;
    std::vector<std::u16string> Items;
    SimButtonFace Face;
    std::vector<KeptControl> Controls;
};

struct KeptBar {
    std::u16string Name;
    bool BuiltIn = false;
    std::vector<std::pair<std::string, Variant>> Values;
    std::vector<KeptControl> Controls;
};

bool IsListType(int type) {
    return type >= 2 && type <= 4;
}

bool IsKnownType(int type) {
    return type == 1 || IsListType(type) || type == 10;
}

// ---- writing ----

std::string Quote(const std::u16string& value) {
    std::string out = "'";
    for (char c : text::Narrow(value)) {
        switch (c) {
        case '\'':
            out += "\\'";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
                out += hex;
            } else {
                out += c;
            }
        }
    }
    return out + "'";
}

// A value line, or nothing for a value that is no boolean, integer or string.
void WriteValue(std::string& out, const std::string& name, const Variant& value) {
    switch (value.BaseType()) {
    case VT_BOOL:
        out += "value " + name + " b " + (value.AsBool() ? "1" : "0") + "\n";
        break;
    case VT_I1:
    case VT_I2:
    case VT_I4:
    case VT_UI1:
    case VT_UI2:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
        out += "value " + name + " i " + std::to_string(value.AsInteger()) + "\n";
        break;
    case VT_BSTR:
        out += "value " + name + " s " + Quote(value.AsWide()) + "\n";
        break;
    default:
        break;
    }
}

void WriteFace(std::string& out, const SimButtonFace& face) {
    if (face.Width <= 0 || face.Height <= 0 || face.Source.empty())
        return;
    out += "face " + std::to_string(face.Width) + " " + std::to_string(face.Height) + " " +
           face.Source;
    for (uint32_t pixel : face.Pixels) {
        char hex[12];
        std::snprintf(hex, sizeof hex, " %06X", static_cast<unsigned>(pixel & 0xFFFFFF));
        out += hex;
    }
    out += "\n";
}

// The controls a host keeps: the add-ins' own (id 1) that are not temporary.
void WriteControls(std::string& out, const SimCommandBar& bar) {
    for (const auto& control : bar.Controls()) {
        if (control->Temporary() || control->Id() != 1)
            continue;
        out += "control " + std::to_string(control->Type()) + "\n";
        for (const auto& [name, value] : control->Values())
            WriteValue(out, name, value);
        if (IsListType(control->Type()) && !control->ListItems().empty()) {
            out += "items";
            for (const std::u16string& item : control->ListItems())
                out += " " + Quote(item);
            out += "\n";
        }
        WriteFace(out, control->Face());
        if (control->PopupBar()) {
            out += "popup\n";
            WriteControls(out, *control->PopupBar());
            out += "end\n";
        }
    }
}

bool HasLastingControls(const SimCommandBar& bar) {
    for (const auto& control : bar.Controls())
        if (!control->Temporary() && control->Id() == 1)
            return true;
    return false;
}

// ---- reading ----

// A line split into words and quoted strings.
struct Token {
    std::string Text;
    bool Quoted = false;
};

class LineError : public Exception {
public:
    using Exception::Exception;
};

std::string ReadQuoted(std::string_view line, size_t& i) {
    std::string value;
    for (++i; i < line.size(); ++i) {
        char c = line[i];
        if (c == '\'') {
            ++i;
            return value;
        }
        if (c != '\\') {
            value += c;
            continue;
        }
        if (++i >= line.size())
            break;
        switch (line[i]) {
        case 'n':
            value += '\n';
            break;
        case 'r':
            value += '\r';
            break;
        case 't':
            value += '\t';
            break;
        case '\'':
        case '\\':
            value += line[i];
            break;
        case 'x': {
            int high = i + 1 < line.size() ? text::HexDigitValue(line[i + 1]) : -1;
            int low = i + 2 < line.size() ? text::HexDigitValue(line[i + 2]) : -1;
            if (high < 0 || low < 0)
                throw LineError("a \\x escape needs two hexadecimal digits");
            value += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            throw LineError(std::string("unknown escape \\") + line[i]);
        }
    }
    throw LineError("a string has no closing quote");
}

std::vector<Token> Tokens(std::string_view line) {
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            ++i;
        } else if (line[i] == '\'') {
            tokens.push_back({ReadQuoted(line, i), true});
        } else {
            size_t start = i;
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\'')
                ++i;
            tokens.push_back({std::string(line.substr(start, i - start)), false});
        }
    }
    return tokens;
}

int32_t Integer(const Token& token, long long low, long long high) {
    if (token.Quoted || token.Text.empty() || token.Text.size() > 11)
        throw LineError("\"" + token.Text + "\" is not a number");
    size_t i = token.Text[0] == '-' ? 1 : 0;
    if (i == token.Text.size())
        throw LineError("\"" + token.Text + "\" is not a number");
    for (size_t j = i; j < token.Text.size(); ++j)
        if (token.Text[j] < '0' || token.Text[j] > '9')
            throw LineError("\"" + token.Text + "\" is not a number");
    long long value = std::stoll(token.Text);
    if (value < low || value > high)
        throw LineError(token.Text + " is outside " + std::to_string(low) + ".." +
                        std::to_string(high));
    return static_cast<int32_t>(value);
}

std::u16string Wide(const Token& token) {
    if (!token.Quoted)
        throw LineError("\"" + token.Text + "\" is not a quoted string");
    return text::Utf8ToUtf16(token.Text);
}

// The parser's place: the bar read now and the pop-ups open in it.
class Reader {
public:
    std::vector<KeptBar> Read(std::string_view text) {
        size_t number = 0;
        size_t start = 0;
        while (start <= text.size()) {
            size_t end = text.find('\n', start);
            if (end == std::string_view::npos)
                end = text.size();
            std::string_view line = text.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            ++number;
            try {
                if (number == 1) {
                    if (line != kHeader)
                        throw LineError("the file does not start with \"" + std::string(kHeader) +
                                        "\"");
                } else {
                    Line(Tokens(line));
                }
            } catch (const LineError& e) {
                throw Exception("line " + std::to_string(number) + ": " + e.Message);
            }
            start = end + 1;
        }
        if (!open_.empty())
            throw Exception("line " + std::to_string(number) + ": a pop-up has no end");
        return std::move(bars_);
    }

private:
    void Line(const std::vector<Token>& tokens) {
        if (tokens.empty())
            return;
        const std::string& verb = tokens[0].Text;
        if (tokens[0].Quoted)
            throw LineError("a line starts with a word");
        if (verb == "bar" || verb == "builtin")
            Bar(tokens, verb == "builtin");
        else if (verb == "control")
            Control(tokens);
        else if (verb == "value")
            Value(tokens);
        else if (verb == "items")
            Items(tokens);
        else if (verb == "face")
            Face(tokens);
        else if (verb == "popup")
            Popup(tokens);
        else if (verb == "end")
            End(tokens);
        else
            throw LineError("unknown record \"" + verb + "\"");
    }

    static void Count(const std::vector<Token>& tokens, size_t count) {
        if (tokens.size() != count)
            throw LineError("\"" + tokens[0].Text + "\" takes " + std::to_string(count - 1) +
                            " argument(s)");
    }

    void Bar(const std::vector<Token>& tokens, bool builtIn) {
        Count(tokens, 2);
        if (!open_.empty())
            throw LineError("a bar inside a pop-up");
        KeptBar bar;
        bar.Name = Wide(tokens[1]);
        if (bar.Name.empty())
            throw LineError("a bar without a name");
        bar.BuiltIn = builtIn;
        bars_.push_back(std::move(bar));
        control_ = nullptr;
    }

    std::vector<KeptControl>& Container() {
        if (!open_.empty())
            return open_.back()->Controls;
        if (bars_.empty())
            throw LineError("a control before any bar");
        return bars_.back().Controls;
    }

    void Control(const std::vector<Token>& tokens) {
        Count(tokens, 2);
        KeptControl control;
        control.Type = Integer(tokens[1], 0, 10);
        if (!IsKnownType(control.Type))
            throw LineError("no control type " + tokens[1].Text);
        std::vector<KeptControl>& container = Container();
        container.push_back(std::move(control));
        control_ = &container.back();
    }

    KeptControl& Current(const char* what) {
        if (!control_)
            throw LineError(std::string(what) + " without a control");
        return *control_;
    }

    void Value(const std::vector<Token>& tokens) {
        Count(tokens, 4);
        const std::string& name = tokens[1].Text;
        if (tokens[1].Quoted || name.empty())
            throw LineError("a value without a name");
        Variant value;
        if (tokens[2].Text == "b" && !tokens[2].Quoted)
            value = Variant(Integer(tokens[3], 0, 1) != 0);
        else if (tokens[2].Text == "i" && !tokens[2].Quoted)
            value = Variant(Integer(tokens[3], INT32_MIN, INT32_MAX));
        else if (tokens[2].Text == "s" && !tokens[2].Quoted)
            value = Variant(Wide(tokens[3]));
        else
            throw LineError("a value's kind is b, i or s");
        auto& values = control_ ? control_->Values : BarValues();
        values.emplace_back(name, std::move(value));
    }

    std::vector<std::pair<std::string, Variant>>& BarValues() {
        if (bars_.empty() || !open_.empty())
            throw LineError("a value before any bar or control");
        if (bars_.back().BuiltIn)
            throw LineError("a host's own bar keeps its own values");
        return bars_.back().Values;
    }

    void Items(const std::vector<Token>& tokens) {
        KeptControl& control = Current("items");
        if (!IsListType(control.Type))
            throw LineError("items of a control that is no list");
        for (size_t i = 1; i < tokens.size(); ++i)
            control.Items.push_back(Wide(tokens[i]));
    }

    void Face(const std::vector<Token>& tokens) {
        KeptControl& control = Current("a face");
        if (control.Type != 1)
            throw LineError("a face of a control that is no button");
        if (tokens.size() < 4)
            throw LineError("a face takes its size and source");
        SimButtonFace face;
        face.Width = Integer(tokens[1], 1, kMaxFaceSide);
        face.Height = Integer(tokens[2], 1, kMaxFaceSide);
        face.Source = tokens[3].Text;
        if (tokens[3].Quoted || face.Source.empty())
            throw LineError("a face without its source");
        const size_t pixels = static_cast<size_t>(face.Width) * static_cast<size_t>(face.Height);
        if (tokens.size() != 4 + pixels)
            throw LineError("a face of " + std::to_string(face.Width) + "x" +
                            std::to_string(face.Height) + " takes " + std::to_string(pixels) +
                            " pixels");
        for (size_t i = 4; i < tokens.size(); ++i)
            face.Pixels.push_back(Pixel(tokens[i]));
        control.Face = std::move(face);
    }

    static uint32_t Pixel(const Token& token) {
        if (token.Quoted || token.Text.size() != 6)
            throw LineError("\"" + token.Text + "\" is not a colour of six hexadecimal digits");
        uint32_t value = 0;
        for (char c : token.Text) {
            int digit = text::HexDigitValue(c);
            if (digit < 0)
                throw LineError("\"" + token.Text + "\" is not a colour of six hexadecimal digits");
            value = value * 16 + static_cast<uint32_t>(digit);
        }
        return value;
    }

    void Popup(const std::vector<Token>& tokens) {
        Count(tokens, 1);
        KeptControl& control = Current("a pop-up's controls");
        if (control.Type != 10)
            throw LineError("controls inside a control that is no pop-up");
        if (open_.size() >= kMaxDepth)
            throw LineError("pop-ups nested too deep");
        open_.push_back(&control);
        control_ = nullptr;
    }

    void End(const std::vector<Token>& tokens) {
        Count(tokens, 1);
        if (open_.empty())
            throw LineError("an end without a pop-up");
        open_.pop_back();
        control_ = nullptr;
    }

    std::vector<KeptBar> bars_;
    // Pointers into bars_: stable, as only the innermost container grows.
    std::vector<KeptControl*> open_;
    KeptControl* control_ = nullptr;
};

// ---- adding the records to the bars ----

// True when kept has a tag that a control of bars carries already.
bool HeldAlready(const SimulatedCommandBars& bars, const KeptControl& kept) {
    for (const auto& [name, value] : kept.Values)
        if (name == "Tag" && value.BaseType() == VT_BSTR && !value.AsWide().empty())
            return bars.FindByTag(value.AsWide()) != nullptr;
    return false;
}

void AddControls(SimulatedCommandBars& bars, SimCommandBar& bar,
                 const std::vector<KeptControl>& controls) {
    for (const KeptControl& kept : controls) {
        if (HeldAlready(bars, kept))
            continue;
        SimCommandBarControl& control = bar.AddControl(kept.Type, 1, 0, false);
        for (const auto& [name, value] : kept.Values)
            control.SetValue(name, value);
        if (IsListType(kept.Type))
            control.SetListItems(kept.Items);
        if (kept.Type == 1 && kept.Face.Width > 0)
            control.SetFace(kept.Face);
        if (control.PopupBar())
            AddControls(bars, *control.PopupBar(), kept.Controls);
    }
}

void AddBars(SimulatedCommandBars& bars, const std::vector<KeptBar>& kept) {
    for (const KeptBar& record : kept) {
        SimCommandBar* bar = bars.Bar(record.Name);
        if (record.BuiltIn) {
            // The add-ins' controls on a host's own bar that this host lacks go with it.
            if (!bar || !bar->BuiltIn())
                continue;
        } else if (!bar) {
            int position = 1;
            for (const auto& [name, value] : record.Values)
                if (name == "Position")
                    position = value.AsInteger();
            bar = &bars.AddBar(record.Name, position, false);
            for (const auto& [name, value] : record.Values)
                bar->SetValue(name, value);
        } else if (bar->BuiltIn() || bar->Temporary()) {
            continue;
        }
        AddControls(bars, *bar, record.Controls);
    }
}

} // namespace

std::string LastingBarsPath(const std::string& hostName) {
    return platform::PlatformHome() + "/" + hostName + ".bars";
}

std::string WriteLastingBars(const SimulatedCommandBars& bars) {
    std::string out(kHeader);
    out += '\n';
    for (const auto& bar : bars.Bars()) {
        if (bar->Temporary())
            continue;
        if (bar->BuiltIn()) {
            if (!HasLastingControls(*bar))
                continue;
            out += "builtin " + Quote(bar->Name()) + "\n";
        } else {
            out += "bar " + Quote(bar->Name()) + "\n";
            for (const auto& [name, value] : bar->Values())
                WriteValue(out, name, value);
        }
        WriteControls(out, *bar);
    }
    return out;
}

void ReadLastingBars(std::string_view text, SimulatedCommandBars& bars) {
    if (text.size() > kMaxFileSize)
        throw Exception("the file is too large to hold command bars");
    AddBars(bars, Reader().Read(text));
}

void SaveLastingBars(const SimulatedCommandBars& bars, const std::string& hostName) {
    WriteFileAtomic(LastingBarsPath(hostName), WriteLastingBars(bars));
}

void LoadLastingBars(SimulatedCommandBars& bars, const std::string& hostName) {
    const std::string path = LastingBarsPath(hostName);
    if (!FileExists(path))
        return;
    try {
        std::error_code error;
        const auto size = std::filesystem::file_size(path, error);
        if (!error && size > kMaxFileSize)
            throw Exception("the file is too large to hold command bars");
        ReadLastingBars(ReadFileBytes(path), bars);
    } catch (const Exception& e) {
        throw Exception(path + ": " + e.Message);
    }
}

} // namespace sim
