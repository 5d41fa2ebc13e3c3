// The replay tool built for node gives the desktop tool's rows, byte for
// byte: a run recorded in the browser plays identically on the desktop and
// the other way round.
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const { execFileSync, spawnSync } = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { webFile } = require('./web_files.js');

const desktop = process.env.SKYCOURSE_REPLAY;
const nodeReplay = webFile('skycourse-replay.js');

function rows(command, args, input) {
  const run = spawnSync(command, args, { input, maxBuffer: 1 << 30 });
  return { status: run.status, stdout: run.stdout.toString('latin1'), stderr: run.stderr.toString() };
}

function firstDifference(a, b) {
  const la = a.split('\n');
  const lb = b.split('\n');
  for (let i = 0; i < Math.max(la.length, lb.length); ++i) {
    if (la[i] !== lb[i]) return `line ${i + 1}: desktop ${la[i]} / node ${lb[i]}`;
  }
  return 'none';
}

function sameRows(script, name) {
  const want = rows(desktop, [], script);
  const got = rows('node', [nodeReplay], script);
  assert.strictEqual(want.status, 0, want.stderr);
  assert.strictEqual(got.status, 0, got.stderr);
  assert.ok(want.stdout.split('\n').length > 100, `${name}: too few rows to compare`);
  assert.ok(want.stdout === got.stdout, `${name}: the rows differ, first at ${firstDifference(want.stdout, got.stdout)}`);
}

test('the route gives the desktop rows, ending in the ring at tick 9398', () => {
  const route = fs.readFileSync(process.env.SKYCOURSE_ROUTE);
  sameRows(route, 'the route');
  const out = rows('node', [nodeReplay], route).stdout;
  assert.match(out, /\n9398,1,/);
});

// Long random scripts turn the ball and the view every way: the runs where
// a last-bit difference in sine or cosine would show.
test('random scripts give the desktop rows', () => {
  for (const [seed, ticks] of [[23, 2000], [26, 2000], [37, 30000], [39, 30000], [101, 30000]]) {
    const script = execFileSync(process.env.SKYCOURSE_RANDOM_SCRIPT, [String(seed), String(ticks)], { maxBuffer: 1 << 28 });
    sameRows(script, `seed ${seed}`);
  }
});

// The file argument, a bad line and a shot are answered as on the desktop,
// a shot with the one thing this build cannot do.
test('a script file, a bad line and a shot line', () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'skycourse-node-replay-'));
  try {
    const file = path.join(dir, 'short.replay');
    fs.writeFileSync(file, 'special down UP\ntick 30\n');
    assert.strictEqual(rows('node', [nodeReplay, file]).stdout, rows(desktop, [file]).stdout);

    const bad = rows('node', [nodeReplay], 'tick 3\nkey down\n');
    const desktopBad = rows(desktop, [], 'tick 3\nkey down\n');
    assert.strictEqual(bad.status, 2);
    assert.strictEqual(bad.stderr, desktopBad.stderr);
    assert.strictEqual(bad.stdout, desktopBad.stdout);

    const shot = rows('node', [nodeReplay], `tick 2\nshot ${path.join(dir, 'x.png')}\n`);
    assert.strictEqual(shot.status, 2);
    assert.match(shot.stderr, /line 2: .*draws no pictures/);
    assert.ok(!fs.existsSync(path.join(dir, 'x.png')));
  } finally {
    fs.rmSync(dir, { recursive: true, force: true });
  }
});
