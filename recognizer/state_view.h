// What Kurvo shows of its state and the hook's switch: the recognition item of the menu, the
// notification icon (with the minimized window's icon) and EnableHook / DisableHook.
//
// Every change sets the state first and then calls SyncView. The platform calls that SyncView
// makes can wait on the shell or the hook library, and a thread waiting in such a call handles
// messages sent to it (notices, icon clicks, a shell restart). A change made by one of those
// only marks the view again; the running SyncView then makes another round, so what is shown
// ends as the state's last word and a nested handler always sees one consistent state.
#pragma once

namespace kurvo {

void SyncView();
// The hook is on while recognition is enabled, no configuration dialog is open and the main
// window is not being destroyed.
bool HookWanted();

}  // namespace kurvo
