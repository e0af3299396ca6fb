#pragma once
// The program's message boxes on screen: modal, on the UI thread (other threads wait for it).
namespace guimsgbox {

// Installs the handler unless one is installed already; Uninstall removes it again.
void Install();
void Uninstall();

}  // namespace guimsgbox
