#pragma once

class Program;

// The program's work before its first window: a seeded generator, the data folders with their
// tunes, the product inventory, an administrator's one permission pass and the stored settings.
void StartProgram(Program& program);
