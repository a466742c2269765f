// The functions behind the script commands' table rows (ScriptCommands.cpp),
// one file per group: Outlook's stores and the configuration file
// (ScriptSetupCommands.cpp), Outlook itself, time and the answers to dialogs
// (ScriptOutlookCommands.cpp), what the user does in Outlook's windows
// (ScriptUserCommands.cpp), and what a script prints (ScriptShowCommands.cpp).
#pragma once

#include "ScriptCommand.h"

// ---- stores and the configuration ----
void RunStore(ScriptWorld& world, const ScriptArguments& arguments);
void RunFolder(ScriptWorld& world, const ScriptArguments& arguments);
void RunDeliver(ScriptWorld& world, const ScriptArguments& arguments);
void CheckConfig(const ScriptArguments& arguments);
void RunConfig(ScriptWorld& world, const ScriptArguments& arguments);

// ---- Outlook, time and dialogs ----
void CheckStart(const ScriptArguments& arguments);
void RunStart(ScriptWorld& world, const ScriptArguments& arguments);
void RunQuit(ScriptWorld& world, const ScriptArguments& arguments);
void RunOffline(ScriptWorld& world, const ScriptArguments& arguments);
void RunOnline(ScriptWorld& world, const ScriptArguments& arguments);
void CheckWait(const ScriptArguments& arguments);
void RunWait(ScriptWorld& world, const ScriptArguments& arguments);
void CheckAnswer(const ScriptArguments& arguments);
void RunAnswer(ScriptWorld& world, const ScriptArguments& arguments);
// answer picker STEPS (ScriptDialogAnswers.cpp).
void CheckPickerAnswer(const ScriptArguments& arguments);
void RunPickerAnswer(ScriptWorld& world, const ScriptArguments& arguments);
// answer config|item|about STEPS (ScriptFormAnswers.cpp): true when the line is one.
bool IsFormAnswer(const ScriptArguments& arguments);
void CheckFormAnswer(const ScriptArguments& arguments);
void RunFormAnswer(ScriptWorld& world, const ScriptArguments& arguments);

// ---- the user in the other Office hosts (ScriptOfficeCommands.cpp) ----
void CheckDocument(const ScriptArguments& arguments);
void RunDocument(ScriptWorld& world, const ScriptArguments& arguments);
void CheckWindow(const ScriptArguments& arguments);
void RunWindow(ScriptWorld& world, const ScriptArguments& arguments);

// ---- the user in Outlook's windows ----
void CheckKey(const ScriptArguments& arguments);
void RunKey(ScriptWorld& world, const ScriptArguments& arguments);
void RunCompose(ScriptWorld& world, const ScriptArguments& arguments);
void RunExplore(ScriptWorld& world, const ScriptArguments& arguments);
void RunSelect(ScriptWorld& world, const ScriptArguments& arguments);
void RunOpen(ScriptWorld& world, const ScriptArguments& arguments);
void CheckReply(const ScriptArguments& arguments);
void RunReply(ScriptWorld& world, const ScriptArguments& arguments);
void RunForward(ScriptWorld& world, const ScriptArguments& arguments);
void RunEdit(ScriptWorld& world, const ScriptArguments& arguments);
void RunClick(ScriptWorld& world, const ScriptArguments& arguments);
void RunSend(ScriptWorld& world, const ScriptArguments& arguments);
void CheckClose(const ScriptArguments& arguments);
void RunClose(ScriptWorld& world, const ScriptArguments& arguments);
void RunActivate(ScriptWorld& world, const ScriptArguments& arguments);

// ---- printing ----
void RunSay(ScriptWorld& world, const ScriptArguments& arguments);
void CheckLabels(const ScriptArguments& arguments);
void RunHide(ScriptWorld& world, const ScriptArguments& arguments);
void RunUnhide(ScriptWorld& world, const ScriptArguments& arguments);
void CheckShow(const ScriptArguments& arguments);
void RunShow(ScriptWorld& world, const ScriptArguments& arguments);
