#pragma once
// The program's message boxes on screen: modal, on the UI thread (other threads wait for it).
namespace guimsgbox {

// Installs the handler; Uninstall restores the previous one.
void Install();
void Uninstall();

}  // namespace guimsgbox
