// Controls found by what the ribbon host shows of them.
#include "ScriptRibbon.h"

#include "ScriptText.h"

#include "platform/text/Text.h"

namespace {

// A caption as one line: line breaks and runs of blanks become one blank.
std::string OneLine(std::string_view caption) {
    std::string line;
    for (char c : caption) {
        bool blank = c == ' ' || c == '\r' || c == '\n' || c == '\t';
        if (!blank)
            line += c;
        else if (!line.empty() && line.back() != ' ')
            line += ' ';
    }
    if (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

bool IsClickable(const sim::RibbonElement& element) {
    return element.Tag == "button" || element.Tag == "toggleButton" || element.Tag == "checkBox";
}

int Depth(const sim::RibbonElement& element) {
    int depth = 0;
    for (const sim::RibbonElement* e = element.Parent; e; e = e->Parent)
        depth += e->Id().empty() ? 0 : 1;
    return depth;
}

} // namespace

sim::SimWindowBase& FrontWindow(sim::OutlookSim& outlook) {
    sim::SimWindow* front = outlook.App().ActiveWindow();
    if (!front)
        throw EScriptError("Outlook shows no window");
    // Every window of the simulated Outlook is an explorer or an inspector.
    if (front->IsExplorer())
        return static_cast<sim::SimExplorer&>(*front);
    return static_cast<sim::SimInspector&>(*front);
}

sim::RibbonHost& RibbonIn(OutlookSession& session, sim::SimWindowBase& window) {
    std::u16string ribbonId = sim::OutlookSim::RibbonIdOf(window);
    sim::RibbonHost* ribbon = session.Driver().Ribbon(session.AddInProgId(), ribbonId);
    if (!ribbon || !ribbon->HasDocument())
        throw EScriptError("the add-in shows no ribbon in the window in front (" +
                           text::Narrow(ribbonId) + ")");
    ribbon->SetContext(ComPtr<IDispatch>::Share(window.WindowDisp()));
    return *ribbon;
}

std::string FindRibbonControl(sim::RibbonHost& ribbon, std::string_view captionOrId) {
    const std::vector<const sim::RibbonElement*>& elements = ribbon.Document().Elements();
    for (const sim::RibbonElement* element : elements)
        if (element->Id() == captionOrId)
            return element->Id();
    std::string wanted = OneLine(captionOrId);
    for (const sim::RibbonElement* element : elements)
        if (IsClickable(*element) && !element->Id().empty() &&
            text::SameText(OneLine(text::Narrow(ribbon.Render(element->Id()).Label)), wanted))
            return element->Id();
    throw EScriptError("the ribbon in front has no control " + ScriptQuoted(captionOrId) +
                       " (show ribbon lists them)");
}

std::vector<std::string> RibbonLines(sim::RibbonHost& ribbon) {
    std::vector<std::string> lines;
    for (const sim::RibbonElement* element : ribbon.Document().Elements()) {
        std::string id = element->Id();
        if (id.empty())
            continue;
        sim::RibbonControlState state = ribbon.Render(id);
        std::string line(2 * static_cast<size_t>(Depth(*element)), ' ');
        line += element->Tag;
        if (!state.Label.empty())
            line += " \"" + OneLine(text::Narrow(state.Label)) + "\"";
        line += " (" + id + ")";
        if (!state.Enabled)
            line += " disabled";
        if (!state.Visible)
            line += " hidden";
        lines.push_back(line);
    }
    return lines;
}
