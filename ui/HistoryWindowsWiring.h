#pragma once
// Connects the history window and the history graphs to the main window: its grids, the shown page, the
// player comparison, the Arena Advisor command, the tool buttons and the main grid's double-click.
class TFormMain;
class TFormHistory;
class TFormHistoryGraphs;

void ConnectHistoryWindows(TFormMain& window, TFormHistory& history, TFormHistoryGraphs& graphs);
