#pragma once

class Program;
class QAbstractButton;
struct Desk;

// The music buttons and events that every play window handles alike.
namespace musicbuttons {

// The window was shown: btnmusic shows the Play setting, and music follows it.
void FormShow(Program& program, QAbstractButton* btnmusic);
// btnmusic toggled: Play follows it, and music follows Play.
void btnmusicClick(Program& program, QAbstractButton* btnmusic);
// Skip to the next tune; btnnext is disabled meanwhile.
void btnnextClick(Program& program, QAbstractButton* btnnext);
// Music stops while the options window is open and follows the settings afterwards.
void btnoptionsClick(Program& program, Desk& desk);
// The window was closed.
void FormClose(Program& program);

} // namespace musicbuttons
