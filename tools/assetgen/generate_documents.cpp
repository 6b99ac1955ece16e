// The documents shipped beside the textures: the help page "help.htm", and the default
// settings "base/menu.inf" and high scores "base/hiscores" of a fresh installation. No saved
// game is shipped, so the first "continue" simply starts from the built-in board.
#include <string>

#include "tools/assetgen/assetgen.h"

namespace assetgen {
namespace {

namespace fs = std::filesystem;

// Settings: windowed 640 by 480, music on, sound on.
void WriteDefaultSettings(const fs::path& out) {
  ByteWriter w;
  w.I32(0);
  w.I32(1);
  w.I32(1);
  WriteBinaryFile(out / "base" / "menu.inf", w.Data());
}

struct Entry {
  const char* name;
  int32_t score;
};

// Two tables of five (Levels, then Timed), best first. Each entry is the name padded with
// "$" to nine characters, then the score as a little-endian 32-bit word.
constexpr size_t NameLength = 9;
constexpr Entry DefaultScores[2][5] = {
    {{"Clover", 3000}, {"Bramble", 2200}, {"Damson", 1500}, {"Ada", 900}, {"Elder", 400}},
    {{"Greengage", 2500}, {"Hazel", 1800}, {"Fern", 1200}, {"Juniper", 700}, {"Ivy", 300}},
};

void WriteDefaultHighScores(const fs::path& out) {
  ByteWriter w;
  for (const auto& table : DefaultScores)
    for (const Entry& e : table) {
      std::string name = e.name;
      name.resize(NameLength, '$');
      w.Bytes(name.data(), NameLength);
      w.I32(e.score);
    }
  WriteBinaryFile(out / "base" / "hiscores", w.Data());
}

// Score targets of the Levels mode, from the first level on.
constexpr int LevelTargets[] = {500,    1500,   3000,   5500,   8000,   12000,  16000,
                                21000,  27000,  34000,  45000,  55000,  70000,  90000,
                                115000, 155000, 190000, 250000, 350000, 500000, 1000000};

std::string LevelTable() {
  std::string rows;
  int floor = 0, level = 1;
  for (int target : LevelTargets) {
    rows += "<tr><td>" + std::to_string(level++) + "</td><td>" + std::to_string(floor) + "</td><td>" +
            std::to_string(target) + "</td></tr>\n";
    floor = target;
  }
  return rows;
}

constexpr const char* HelpHead = R"(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>Quillary - how to play</title>
<style>
  body { margin: 0; background: #6b4424; font-family: "Comfortaa", "DejaVu Sans", sans-serif; color: #58321a; }
  main { max-width: 46em; margin: 2em auto; padding: 1.5em 2.5em 2em; background: #fcf3da;
         border: 10px solid #8c582e; border-radius: 18px; box-shadow: 0 6px 18px rgba(0,0,0,0.45); }
  h1 { text-align: center; font-size: 2.2em; margin: 0.2em 0 0.1em; color: #58321a; }
  .tag { text-align: center; color: #8c6038; margin-top: 0; }
  h2 { color: #30642a; border-bottom: 2px solid #e2cfa2; padding-bottom: 0.15em; margin-top: 1.6em; }
  kbd { background: #fff; border: 1px solid #b89a6a; border-radius: 4px; padding: 0 0.35em; font-family: inherit; }
  table { border-collapse: collapse; margin: 0.5em 0; }
  td, th { border: 1px solid #dcc596; padding: 0.2em 0.8em; text-align: right; }
  th { background: #eeddb8; }
  code { background: #f1e4c4; padding: 0 0.3em; border-radius: 3px; }
  .levels { float: right; margin: 0 0 1em 1.5em; font-size: 0.85em; }
  footer { clear: both; margin-top: 2em; text-align: center; color: #8c6038; font-size: 0.9em; }
</style>
</head>
<body>
<main>
<h1>Quillary</h1>
<p class="tag">A match-three game from the orchard</p>
)";

constexpr const char* HelpBody = R"(
<h2>How to play</h2>
<p>The board holds eight rows of eight fruit. Click a fruit to pick it up (it starts to spin), then
click a fruit beside it, above it or below it to swap the two. You can also press on a fruit and drag
it onto its neighbour. When the swap lines up three or more equal fruit in a row or a column, they
vanish and score; the fruit above fall down and new fruit drop in from the top. A swap that makes no
line is sent back. Click the spinning fruit again to put it down.</p>

<h2>Without a mouse</h2>
<p>The whole game plays from the keyboard or a game controller.</p>
<ul>
<li><b>The board.</b> The arrow keys move a cursor, a golden frame, over the fruit; the first
press shows it, on the fruit you picked up or in the middle. <kbd>Space</kbd> or <kbd>Enter</kbd> picks up the fruit
under the cursor, or puts it down. With a fruit picked up, an arrow swaps it with its neighbour on
that side: a move is <kbd>Space</kbd>, then an arrow. Moving the mouse gives the cursor back to the
mouse.</li>
<li><b>The buttons beside the board.</b> <kbd>N</kbd> New game, <kbd>L</kbd> Levels,
<kbd>T</kbd> Timed, <kbd>H</kbd> Hint, <kbd>O</kbd> Options, <kbd>Q</kbd> Quit.</li>
<li><b>Questions.</b> <kbd>Y</kbd> or <kbd>Enter</kbd> for Yes, <kbd>N</kbd> or <kbd>Esc</kbd> for
No; only <kbd>N</kbd> declines your saved game at the start. The high scores close with
<kbd>Enter</kbd>, <kbd>Space</kbd> or <kbd>Esc</kbd>.</li>
<li><b>Options.</b> <kbd>H</kbd> High scores, <kbd>D</kbd> Display, <kbd>M</kbd> Music,
<kbd>S</kbd> Sound, <kbd>Enter</kbd> or <kbd>Esc</kbd> Back. This page opens only with the mouse,
since opening it closes the game.</li>
<li><b>A game controller</b>, plugged in before or during play: the d-pad or the left stick moves
the cursor, <b>A</b> is <kbd>Enter</kbd> (it also confirms your name for the high scores),
<b>B</b> is <kbd>Esc</kbd>, <b>Y</b> is Hint, <b>Start</b> pauses and <b>Back</b> opens the
Options.</li>
</ul>

<h2>Scoring</h2>
<p>Every run of three equal fruit scores <b>5 &times; level + 10</b> points, counting the first
level as 0: 10 points on level 1, 15 on level 2, 20 on level 3, and so on. A line of four counts as
two overlapping runs and a line of five as three; an L or T shape counts its row and its column
separately.</p>
<p><b>Chains.</b> When falling fruit make new lines by themselves, each new wave of runs is a link
in a chain: every run of the next wave scores its own value plus the whole total of the wave before.
At level 1, a swap that makes one run gives 10, the cascade after it 20, two runs in the next wave 30
each, and so on. The fourth wave of a chain earns the <b>Excellent!</b> banner, and the chain then
starts over. Picking up a fruit starts a new chain.</p>
<p>While the board fills up at the start of a game or a level, nothing scores until you pick up
your first fruit.</p>

<h2>Two ways to play</h2>
<p>Choose the mode with the buttons on the left; choosing one starts a new game in it.</p>
<p><b>Levels.</b> The bar under the board shows how far you are from the score the level asks
for. Reach it and the level is complete: the board empties and fills again, and every run is worth
5 points more. There is no clock; the game ends when the board has no move left.</p>
<table class="levels">
<tr><th>Level</th><th>from</th><th>to</th></tr>
)";

constexpr const char* HelpTail = R"(</table>
<p><b>Timed.</b> The bar is your time. It drains steadily, faster on every level, and each wave of
runs puts a little back. Fill the bar to complete the level; let it run out and the game is over.
When the board has no move left it empties and refills, and you play on.</p>
<p>In the Timed mode you can pause with <kbd>Esc</kbd> or <kbd>P</kbd>; press either again to go on.</p>

<h2>Hints</h2>
<p>Stuck? The <b>Hint</b> button picks up a fruit that can make a line; swap it with the right
neighbour. A hint has a price, paid even when there is no move to show: 50 points in the Levels mode
(never below the score the level started from) or 10 units of time in the Timed mode, where the bar
holds 100 and every level starts half full.</p>

<h2>High scores</h2>
<p>Each mode keeps its own table of the five best games. When a finished game beats the fifth score
of its table, you are asked for your name: type up to nine letters (the first becomes a capital),
erase with <kbd>Backspace</kbd> and confirm with <kbd>Enter</kbd> or <kbd>Space</kbd>. The tables are
also under <b>Options &rarr; High scores</b>.</p>

<h2>Options</h2>
<p><b>High scores</b> shows both tables. <b>Display</b> switches between a 640 &times; 480 window
and 800 &times; 600 full screen. <b>Music</b> and <b>Sound</b> turn the tunes and the effects on and
off. <b>Help</b> opens this page and closes the game (your game is kept).</p>

<h2>Your game is kept</h2>
<p>When you quit, the game in progress is stored; at the next start you are asked whether to
continue it. Settings and high scores are kept too.</p>

<h2>Where the game keeps its files</h2>
<p>In <code>$XDG_DATA_HOME/Brambleworth/Quillary</code>, which is
<code>~/.local/share/Brambleworth/Quillary</code> when <code>XDG_DATA_HOME</code> is not set:</p>
<ul>
<li><code>menu.inf</code> &ndash; the settings (display, music, sound)</li>
<li><code>data.inf</code> &ndash; the stored game</li>
<li><code>hiscores</code> &ndash; both high-score tables</li>
</ul>
<p>Delete a file to go back to the defaults that come with the game.</p>

<footer>Quillary &middot; Brambleworth</footer>
</main>
</body>
</html>
)";

void WriteHelpPage(const fs::path& out) {
  WriteTextFile(out / "help.htm", std::string(HelpHead) + HelpBody + LevelTable() + HelpTail);
}

void GenerateDocuments(const fs::path& out) {
  WriteDefaultSettings(out);
  WriteDefaultHighScores(out);
  WriteHelpPage(out);
}

const RegisterGenerator registered("documents", GenerateDocuments);

}  // namespace
}  // namespace assetgen
