// The custom task panes of the host windows that are open when the add-in
// gets to them: at start-up, when the host handed its task-pane factory
// over first, and when the factory arrives after start-up. Each host has
// its own idea of which windows are open; Outlook's panes at start-up come
// with the activation of its windows instead.
#pragma once

class TadxModuleServices;

// The panes of start-up (the factory came first).
void adxMakeStartupPanes(TadxModuleServices& module);
// The panes when the factory arrives after start-up.
void adxMakeFactoryPanes(TadxModuleServices& module);
