// The text dump of a form.
#include "platform/controls/FormDump.h"

#include "platform/controls/Form.h"
#include "platform/controls/Menus.h"

#include <algorithm>

namespace controls {

namespace {

// A caption as one line: line breaks and quotes written as escapes.
std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '"')
            out += "\\\"";
        else
            out += c;
    }
    return out + "\"";
}

void DumpControl(const TControl& c, int depth, std::string& out);

// The children in dump order: windowed ones in tab order, then the others.
void DumpChildren(const TWinControl& parent, int depth, std::string& out) {
    std::vector<TWinControl*> tabOrder;
    for (int i = 0; i < parent.ControlCount(); ++i)
        if (auto* w = dynamic_cast<TWinControl*>(parent.Controls(i)))
            tabOrder.push_back(w);
    std::stable_sort(tabOrder.begin(), tabOrder.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* w : tabOrder)
        DumpControl(*w, depth, out);
    for (int i = 0; i < parent.ControlCount(); ++i)
        if (!dynamic_cast<TWinControl*>(parent.Controls(i)))
            DumpControl(*parent.Controls(i), depth, out);
}

void DumpControl(const TControl& c, int depth, std::string& out) {
    std::string indent(static_cast<size_t>(depth) * 2, ' ');
    std::string line = indent + c.ClassName() + " " + c.Name();
    if (c.DumpsCaption() && !c.Caption().empty())
        line += " " + Quoted(c.Caption());
    line += " at " + std::to_string(c.Left()) + "," + std::to_string(c.Top()) + " " +
            std::to_string(c.Width()) + "x" + std::to_string(c.Height());
    std::vector<std::string> states;
    std::vector<std::string> lines;
    c.DescribeState(states, lines);
    for (const std::string& s : states)
        line += " " + s;
    out += line + "\n";
    for (const std::string& l : lines)
        out += indent + "    " + l + "\n";
    if (auto* w = dynamic_cast<const TWinControl*>(&c))
        DumpChildren(*w, depth + 1, out);
}

const char* StyleName(TFormBorderStyle style) {
    static const char* const names[] = {"bsNone",   "bsSingle",     "bsSizeable",
                                        "bsDialog", "bsToolWindow", "bsSizeToolWin"};
    return names[style];
}

void DumpMenu(const TMenuItem& item, int depth, std::string& out) {
    for (int i = 0; i < item.Count(); ++i) {
        const TMenuItem* sub = item.Items(i);
        out += std::string(static_cast<size_t>(depth) * 2, ' ') + "menu " + Quoted(sub->Caption()) +
               (sub->Enabled() ? "" : " disabled") + (sub->Checked() ? " checked" : "") + "\n";
        DumpMenu(*sub, depth + 1, out);
    }
}

} // namespace

std::string DumpForm(const TForm& form) {
    std::string out = form.ClassName() + " " + form.Name() + " " + Quoted(form.Caption()) + " " +
                      StyleName(form.BorderStyle()) + " client " +
                      std::to_string(form.ClientWidth()) + "x" +
                      std::to_string(form.ClientHeight());
    if (form.KeyPreview())
        out += " key-preview";
    if (!form.Hint().empty())
        out += " hint=" + Quoted(form.Hint());
    out += "\n";
    if (form.Menu())
        DumpMenu(*form.Menu()->Items(), 1, out);
    DumpChildren(form, 1, out);
    return out;
}

} // namespace controls
