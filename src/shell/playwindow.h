#pragma once

struct Windows;

// What every play window does alike, beside its music buttons.
namespace playwindow {

// The instructions window, modally, opened on the active type's page.
void ShowInstructions(Windows& windows);

} // namespace playwindow
