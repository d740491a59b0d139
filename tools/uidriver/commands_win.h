// One function per command; each prints its result or throws Failure.
#pragma once
#include "tools/uidriver/options_win.h"

namespace uidriver {

// Control actions (actions_win.cpp)
void RunClick(const Options& options);
void RunCheck(const Options& options);
void RunLabel(const Options& options);
void RunType(const Options& options);
void RunChoose(const Options& options);
void RunSelect(const Options& options);
void RunEntries(const Options& options);
void RunSlider(const Options& options);

// Window commands (window_commands_win.cpp)
void RunWait(const Options& options);
void RunDump(const Options& options);
void RunPos(const Options& options);
void RunClose(const Options& options);
void RunMenu(const Options& options);
void RunKey(const Options& options);

// Message boxes (msgbox_win.cpp)
void RunMsgbox(const Options& options);

}  // namespace uidriver
