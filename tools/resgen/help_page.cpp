// Text of the help page and its stylesheet.
#include <QByteArray>

namespace resgen {

QByteArray helpPageHtml()
{
    return QByteArrayLiteral(R"html(<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>Brackwater-Tilemere Help</title>
<link rel="stylesheet" href="help/style.css">
</head>
<body>
<header>
  <img src="Gfx/titleBanner.jpg" width="170" height="100" alt="Brackwater-Tilemere">
  <div>
    <h1>Brackwater-Tilemere</h1>
    <p class="lead">A sliding picture puzzle. Choose a picture, mix it up, then slide the tiles back until the picture is whole again.</p>
  </div>
</header>

<nav>
  <a href="#choose">Choosing a picture</a>
  <a href="#play">Playing</a>
  <a href="#scores">High scores</a>
  <a href="#sound">Sound</a>
  <a href="#reset">Resetting the scores</a>
</nav>

<main>
<section id="choose">
  <h2>Choosing a picture</h2>
  <p>The front screen shows the pictures in a folder as small thumbnails.</p>
  <ol>
    <li>Pick a folder with the drive and folder lists. Every picture in it of type
      <code>*.bmp</code>, <code>*.jpg</code> or <code>*.jpeg</code> is shown. The game comes with a
      folder of pictures, <code>Puzzleimages</code>, to start with.</li>
    <li>When there are more pictures than fit on one page, use <span class="button">Next</span> and
      <span class="button">Previous</span> to turn the pages.</li>
    <li>Choose the size of the puzzle, from <strong>3x3</strong> (easy) to <strong>6x6</strong> (hard).</li>
    <li>Tick <span class="check">Animate Shuffle</span> if you like to watch the tiles being mixed up.</li>
    <li>Click a thumbnail to start a game with that picture.</li>
  </ol>
</section>

<section id="play">
  <h2>Playing</h2>
  <figure>
    <img src="help/board.png" width="240" height="240" alt="A 4x4 board: the tile beside the empty corner slides into it">
    <figcaption>A tile next to the hole slides into it.</figcaption>
  </figure>
  <p>The picture is cut into square tiles. The bottom-right tile is taken away to leave a hole, and
    the rest are shuffled.</p>
  <ul>
    <li>Click a tile next to the hole (above, below, left or right of it) to slide it into the hole.
      Tiles that do not touch the hole do not move.</li>
    <li>Your <strong>moves</strong> and the <strong>time</strong> are counted from the start of the game.</li>
    <li>Tick <span class="check">Show Preview</span> to see the whole picture beside the board; untick it to
      hide it again.</li>
    <li><span class="button">Back</span> gives up the game and returns to the front screen.</li>
  </ul>
  <p>When every tile is back in its place the picture is complete and the puzzle is solved.</p>
  <p class="tip"><strong>Tip:</strong> finish the top row first, then the next, and leave the last two rows
    to solve together, a column at a time.</p>
</section>

<section id="scores">
  <h2>High scores</h2>
  <p>When you solve a puzzle you are asked for your name, to go with your moves and time.
    A name can be up to 20 characters long; leave it blank to be entered as <em>Anonymous</em>.</p>
  <p><span class="button">High Scores</span> shows the top ten for each puzzle size in two tables:</p>
  <table>
    <thead><tr><th>Table</th><th>Ranked by</th></tr></thead>
    <tbody>
      <tr><td>Best Moves</td><td>the fewest moves</td></tr>
      <tr><td>Best Time</td><td>the shortest time</td></tr>
    </tbody>
  </table>
  <p><span class="button">Clear Scores</span> empties both tables of the size shown.</p>
</section>

<section id="sound">
  <h2>Sound</h2>
  <p>Click the <strong>speaker</strong> icon to switch the sounds on or off. A click is heard as a tile slides,
    and applause when a puzzle is solved.</p>
</section>

<section id="reset">
  <h2>Resetting the scores</h2>
  <p>The high scores are kept in the file</p>
  <pre>~/.config/Ostrel/Brackwater-Tilemere.conf</pre>
  <p>or in <code>$XDG_CONFIG_HOME/Ostrel/Brackwater-Tilemere.conf</code> when <code>XDG_CONFIG_HOME</code>
    is set. Delete that file, while the game is closed, to reset everything.</p>
</section>
</main>

<footer>
  <p>Brackwater-Tilemere &middot; a game by Ostrel</p>
</footer>
</body>
</html>
)html");
}

QByteArray helpStyleCss()
{
    return QByteArrayLiteral(R"css(/* Brackwater-Tilemere help page */
:root {
  --background: rgb(19, 49, 85);
  --panel: rgb(26, 83, 136);
  --accent: rgb(255, 169, 83);
  --button: rgb(47, 119, 206);
  --text: rgb(232, 240, 250);
}

* { box-sizing: border-box; }

body {
  margin: 0;
  background: var(--background);
  color: var(--text);
  font-family: "Comic Sans MS", "Comic Neue", "DejaVu Sans", sans-serif;
  font-size: 17px;
  line-height: 1.5;
}

header {
  display: flex;
  gap: 1.5em;
  align-items: center;
  padding: 1.2em 2em;
  background: var(--panel);
  border-bottom: 4px solid var(--accent);
}

header img { border-radius: 8px; flex: none; }

h1 { margin: 0; color: var(--accent); font-size: 2em; }

.lead { margin: 0.3em 0 0; }

nav {
  display: flex;
  flex-wrap: wrap;
  gap: 0.6em;
  padding: 0.8em 2em;
}

nav a {
  padding: 0.25em 0.9em;
  border-radius: 6px;
  background: var(--button);
  color: #fff;
  text-decoration: none;
}

nav a:hover, nav a:focus { background: var(--accent); color: var(--background); }

main { max-width: 60em; padding: 0 2em 1em; }

section {
  margin: 1.2em 0;
  padding: 0.6em 1.4em 1em;
  background: var(--panel);
  border-radius: 10px;
}

section::after { content: ""; display: block; clear: both; }

h2 {
  margin: 0.3em 0 0.5em;
  color: var(--accent);
  border-bottom: 2px solid rgba(255, 169, 83, 0.4);
}

a { color: var(--accent); }

code, pre {
  font-family: "DejaVu Sans Mono", monospace;
  font-size: 0.9em;
  background: var(--background);
  border-radius: 4px;
}

code { padding: 0.05em 0.35em; }

pre { padding: 0.6em 1em; overflow-x: auto; }

.button {
  display: inline-block;
  padding: 0 0.6em;
  border-radius: 5px;
  background: var(--button);
  color: #fff;
  white-space: nowrap;
}

.check::before { content: "\2611\00a0"; color: var(--accent); }

.check { white-space: nowrap; font-weight: bold; }

figure {
  float: right;
  margin: 0 0 1em 1.5em;
  text-align: center;
}

figure img { border-radius: 8px; max-width: 100%; height: auto; }

figcaption { font-size: 0.85em; }

.tip {
  padding: 0.5em 1em;
  border-left: 4px solid var(--accent);
  background: rgba(19, 49, 85, 0.6);
}

table { border-collapse: collapse; margin: 0.5em 0; }

th, td { padding: 0.3em 1.2em; border: 1px solid var(--button); text-align: left; }

th { background: var(--button); }

footer { padding: 0.5em 2em 2em; font-size: 0.85em; opacity: 0.8; }

@media (max-width: 40em) {
  header { flex-direction: column; align-items: flex-start; }
  figure { float: none; margin: 0 0 1em; }
}
)css");
}

} // namespace resgen
