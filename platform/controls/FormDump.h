// The text dump of a form, for golden transcripts that never compare pixels:
// the form (caption, frame, client size, menu), then every control, children
// under their parent, windowed controls in tab order followed by the others
// in creation order. A control's line holds its class, name, caption and
// bounds, then what DescribeState says (check marks, the focus, default and
// cancel buttons); its content lines (a tree's visible nodes, a list's rows,
// a memo's lines) follow it, indented.
//
//   TForm Folders "Folders" bsDialog client 680x575
//     TGroupBox GroupBox1 "Select Folder" at 8,8 300x530
//       TTreeView treeFolders at 8,16 284x506 focused
//         - Mailbox {state 1}
//             Inbox {state 6} *
#pragma once

#include <string>

class TForm;

namespace controls {

// The dump of the form, each line ended by "\n".
std::string DumpForm(const TForm& form);

} // namespace controls
