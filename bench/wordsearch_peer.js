// The JavaScript word-search generator, timed on the lists bench_wordsearch sends it. One request a
// line on standard input: "<builds> <WORD,WORD,...>"; one answer a line: "<wall ns> <cpu ns>
// <words placed in all>" for that many builds on a 20 by 20 grid in all eight directions.
"use strict";
const WordSearch = require("@blex41/word-search");
const readline = require("readline");

const lines = readline.createInterface({ input: process.stdin, terminal: false });
lines.on("line", (line) => {
    const [count, list] = line.trim().split(" ");
    const words = list.split(",");
    const builds = Number(count);
    let placed = 0;
    const cpu0 = process.cpuUsage();
    const wall0 = process.hrtime.bigint();
    for (let i = 0; i < builds; ++i) {
        const ws = new WordSearch({ cols: 20, rows: 20, dictionary: words, maxWords: words.length });
        placed += ws.words.length;
    }
    const wall = process.hrtime.bigint() - wall0;
    const cpu = process.cpuUsage(cpu0);
    process.stdout.write(`${wall} ${(cpu.user + cpu.system) * 1000} ${placed}\n`);
});
