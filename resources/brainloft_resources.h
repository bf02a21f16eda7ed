#pragma once

// Registers the compiled-in pictures (":/LETTER/A", ":/artwork/launcher.png",
// ":/icons/<name>.png", ":/cursors/<name>.png", the tunes ":/MUSIC/music1"..., the pages ":/RTF/inst0"...). Safe to call more than once.
void InitBrainloftResources();
