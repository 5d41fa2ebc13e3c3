// The page on an emulated phone (a touch screen, landscape, 740 x 360):
// the stick rolls the ball as the arrow keys do and records the keys'
// very run, the look drag turns the view, the buttons work, nothing
// scrolls; the page is an app (its manifest, its service worker) that
// starts with the network off; held upright it asks to be turned; its
// memory is fixed; and it plays from the start pad to the first
// checkpoint by touch alone.
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const fs = require('node:fs');
const path = require('node:path');
const { launch, serve, findChromium } = require('./browser.js');
const { webFile } = require('./web_files.js');

if (!findChromium()) {
  console.log('no chromium on this machine (make test installs it): the page tests are skipped');
  process.exit(77);
}

const webDir = path.dirname(webFile('index.html'));
webFile('sw.js');
const width = 740;
const height = 360;
let browser;
let site;

const phone = (w, h) => browser.send('Emulation.setDeviceMetricsOverride',
                                     { width: w, height: h, deviceScaleFactor: 1, mobile: true });

async function state() {
  return JSON.parse(await browser.evaluate("Module.ccall('skycourse_state', 'string', [], [])"));
}

// The page's clock in the test's hands: `ticks(n)` moves it on and waits
// for the game to play them, so touches land between the same ticks each
// time.
const fakeClock = `
  window.fakeNow = null;
  (function () {
    const real = performance.now.bind(performance);
    performance.now = () => (window.fakeNow === null ? real() : window.fakeNow);
  })();
  window.gameState = () => JSON.parse(Module.ccall('skycourse_state', 'string', [], []));
  window.ticks = async function (count) {
    const frame = () => new Promise((resolve) => requestAnimationFrame(resolve));
    for (let left = count; left > 0;) {
      const step = Math.min(4, left);
      const want = gameState().tick + step;
      window.fakeNow += step * 25;
      while (gameState().tick < want && gameState().state === 0 && !gameState().paused) await frame();
      left -= step;
    }
    return gameState();
  };`;

async function open(query = '', before = '') {
  const { identifier } = await browser.send('Page.addScriptToEvaluateOnNewDocument', { source: fakeClock + before });
  browser.console.length = 0;
  await browser.navigate(site.url + query);
  await browser.send('Page.removeScriptToEvaluateOnNewDocument', { identifier });
  await browser.waitFor('Module.firstFrameMs !== undefined');
  await browser.evaluate('window.fakeNow = Math.ceil(performance.now())');
}

const ticks = (count) => browser.evaluate(`ticks(${count})`);

// A tap on the canvas starts the game, as a click does.
async function tapToStart() {
  await browser.touch('touchStart', [{ x: 370, y: 60, id: 0 }]);
  await browser.touch('touchEnd', []);
  assert.strictEqual((await state()).started, true);
}

// Where a touch button is, its centre.
async function buttonAt(id) {
  return browser.evaluate(`(() => { const r = document.getElementById('${id}').getBoundingClientRect();
    return { x: r.left + r.width / 2, y: r.top + r.height / 2 }; })()`);
}

// The route's key lines as the stick would hold them: each set of arrows
// held is the thumb pushed 40 pixels that way from where it landed, Enter
// the jump button; stops at the first checkpoint.
async function playRouteByTouch(text, untilTick) {
  const stick = { x: 150, y: 230, id: 1 };
  const jump = { ...(await buttonAt('jump')), id: 2 };
  const held = new Set();
  let jumping = false;
  const points = () => [{ x: stick.x + 40 * ((held.has('RIGHT') ? 1 : 0) - (held.has('LEFT') ? 1 : 0)),
                          y: stick.y + 40 * ((held.has('DOWN') ? 1 : 0) - (held.has('UP') ? 1 : 0)), id: 1 }]
    .concat(jumping ? [jump] : []);
  await browser.touch('touchStart', points());
  let last = await state();
  const lines = text.split('\n');
  for (let i = 0; i < lines.length && last.checkpoints === 0 && last.tick < untilTick; ++i) {
    const word = lines[i].trim().split(/\s+/);
    if (word[0] === 'special') {
      if (word[1] === 'down') held.add(word[2]); else held.delete(word[2]);
      // The keys of one tick: the thumb goes where they all leave it.
      if (!/^special /.test(lines[i + 1] || '')) await browser.touch('touchMove', points());
    } else if (word[0] === 'key' && word[2] === '13') {
      jumping = word[1] === 'down';
      if (jumping) {
        await browser.touch('touchStart', points());
      } else {
        // The protocol lifts one finger only with all of them: the thumb
        // lands again where the stick was and pushes it as before, between
        // the same two ticks.
        await browser.touch('touchEnd', []);
        await browser.touch('touchStart', [stick]);
        await browser.touch('touchMove', points());
      }
    } else if (word[0] === 'tick') {
      last = await ticks(word.length > 1 ? parseInt(word[1], 10) : 1);
      if (process.env.TRACE && last.tick % 100 < 4) console.log(last.tick, last.ball.join(','));
    }
  }
  return last;
}

test.before(async () => {
  site = await serve(webDir);
  browser = await launch();
  await browser.openPage(width, height);
  await phone(width, height);
  await browser.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
  await browser.send('Network.enable');
});

test.after(async () => {
  if (browser) await browser.close();
  if (site) site.server.close();
});

// The sound's context as the page makes it: a browser that wants a
// gesture leaves one made outside it suspended.
const audioSpy = `
  (function () {
    const Context = window.AudioContext;
    window.AudioContext = function () { window.madeContext = new Context(...arguments); return window.madeContext; };
    window.AudioContext.prototype = Context.prototype;
  })();`;

test('a stick drag rolls the ball, and its recorded run is the keys\' own, row for row', async () => {
  await open('?rows', audioSpy);
  assert.ok(await browser.evaluate("document.body.classList.contains('touch')"), 'no touch controls shown');
  assert.strictEqual(await browser.evaluate('sign.textContent'), 'Tap to play');
  await tapToStart();
  // The first tap started the sound within its gesture.
  await browser.waitFor("window.madeContext && madeContext.state === 'running'", 10000);
  // The route's first moves, up and to the sides, with a jump.
  const route = fs.readFileSync(process.env.SKYCOURSE_ROUTE, 'utf8');
  const end = await playRouteByTouch(route, 60);
  await browser.touch('touchEnd', []);
  await ticks(4);
  assert.ok(end.ball[2] < -0.5, `the ball did not roll forward: ${end.ball}`);
  const byTouch = await browser.evaluate("Module.ccall('skycourse_rows', 'string', [], [])");
  const script = await browser.evaluate("FS.readFile(Module.ccall('skycourse_recording_path', 'string', [], []), { encoding: 'utf8' })");
  assert.doesNotMatch(script, /^(mouse|key down [^1])/m, 'the stick recorded more than arrow keys and Enter');
  assert.match(script, /^special down UP$/m);

  // The same lines as key presses, on the same ticks.
  await open('?rows');
  await browser.key('keyDown', 'a', 'KeyA', 65);
  await browser.key('keyUp', 'a', 'KeyA', 65);
  const names = { UP: ['ArrowUp', 'ArrowUp', 38], DOWN: ['ArrowDown', 'ArrowDown', 40],
                  LEFT: ['ArrowLeft', 'ArrowLeft', 37], RIGHT: ['ArrowRight', 'ArrowRight', 39], 13: ['Enter', 'Enter', 13] };
  for (const line of script.split('\n')) {
    const word = line.trim().split(/\s+/);
    if ((word[0] === 'special' || word[0] === 'key') && names[word[2]]) {
      await browser.key(word[1] === 'down' ? 'keyDown' : 'keyUp', ...names[word[2]]);
    } else if (word[0] === 'tick') {
      await ticks(word.length > 1 ? parseInt(word[1], 10) : 1);
    }
  }
  const byKeys = await browser.evaluate("Module.ccall('skycourse_rows', 'string', [], [])");
  assert.ok(byTouch.split('\n').length > 60, 'too few ticks were played');
  assert.ok(byKeys === byTouch, 'the keys played the stick\'s run to other rows');
});

test('a drag on the right half turns and tilts the view; dragging never scrolls the page', async () => {
  await open();
  await tapToStart();
  const before = await state();
  await browser.touch('touchStart', [{ x: 500, y: 200, id: 3 }]);
  for (let step = 1; step <= 5; ++step) await browser.touch('touchMove', [{ x: 500 + 10 * step, y: 200 - 4 * step, id: 3 }]);
  await browser.touch('touchEnd', []);
  const after = await state();
  assert.strictEqual(after.mouseLook, true);
  assert.ok(Math.abs(after.yaw - before.yaw - 50 / width * 360) < 0.01, `yaw ${before.yaw} -> ${after.yaw}`);
  assert.ok(Math.abs(after.pitch - before.pitch + 20 / height * 360) < 0.01, `pitch ${before.pitch} -> ${after.pitch}`);
  // Drags on the canvas and the buttons, and a pinch: nothing scrolls,
  // zooms or gets selected.
  await browser.touch('touchStart', [{ x: 100, y: 300, id: 4 }, { x: 600, y: 50, id: 5 }]);
  await browser.touch('touchMove', [{ x: 20, y: 20, id: 4 }, { x: 720, y: 340, id: 5 }]);
  await browser.touch('touchEnd', []);
  const jump = await buttonAt('jump');
  await browser.touch('touchStart', [{ ...jump, id: 6 }]);
  await browser.touch('touchMove', [{ x: jump.x - 300, y: jump.y - 200, id: 6 }]);
  await browser.touch('touchEnd', []);
  assert.deepStrictEqual(await browser.evaluate(`[scrollX, scrollY, document.scrollingElement.scrollTop,
    visualViewport.scale, getSelection().toString()]`), [0, 0, 0, 1, '']);
  assert.strictEqual(await browser.evaluate("getComputedStyle(document.body).touchAction"), 'none');
});

test('the buttons: jump, the quarter turns, the camera, the pause menu', async () => {
  await open();
  await tapToStart();
  await ticks(8);
  const press = async (id, holdTicks) => {
    await browser.touch('touchStart', [{ ...(await buttonAt(id)), id: 7 }]);
    const held = await ticks(holdTicks);
    await browser.touch('touchEnd', []);
    return held;
  };
  const jumped = await press('jump', 6);
  assert.ok(jumped.ball[1] > 0.6, `the ball did not jump: ${jumped.ball}`);
  const turns = [['turn-left', 3], ['turn-right', 0], ['turn-right', 1]];
  for (const [id, quadrant] of turns) {
    await press(id, 1);
    assert.strictEqual((await state()).quadrant, quadrant, id);
  }
  await press('camera', 1);
  assert.strictEqual((await state()).firstPerson, true);
  await press('pause', 0);
  assert.strictEqual((await state()).paused, true);
});

test('held upright, a sign asks to turn the phone', async () => {
  const shown = () => browser.evaluate("getComputedStyle(document.getElementById('turn')).display !== 'none'");
  await open();
  assert.strictEqual(await shown(), false);
  await phone(height, width);
  try {
    await browser.waitFor("getComputedStyle(document.getElementById('turn')).display !== 'none'", 5000);
  } finally {
    await phone(width, height);
  }
  assert.strictEqual(await shown(), false);
});

test('an app: its manifest is valid, its worker keeps the page, which starts with the network off', async (t) => {
  await open();
  const manifest = await browser.send('Page.getAppManifest');
  assert.deepStrictEqual(manifest.errors, []);
  const data = JSON.parse(manifest.data);
  assert.strictEqual(data.display, 'fullscreen');
  assert.strictEqual(data.orientation, 'landscape');
  const sizes = await browser.evaluate(`Promise.all(${JSON.stringify(data.icons.map((icon) => icon.src))}.map((src) =>
    new Promise((resolve) => { const image = new Image(); image.onload = () => resolve(image.naturalWidth + 'x' + image.naturalHeight);
      image.onerror = () => resolve('none'); image.src = src; })))`);
  assert.deepStrictEqual(sizes, ['192x192', '512x512']);

  const cached = await browser.waitFor(`navigator.serviceWorker.ready.then(async () => {
    const names = await caches.keys();
    if (names.length !== 1) return 0;
    return (await (await caches.open(names[0])).keys()).length;
  })`, 60000);
  const media = Object.keys(JSON.parse(fs.readFileSync(path.join(webDir, 'media/media.json'), 'utf8'))).length;
  assert.ok(cached >= media + 6, `the worker kept ${cached} files`);

  await browser.send('Network.emulateNetworkConditions', { offline: true, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  try {
    await open();
    t.diagnostic(`first frame from the cache after ${Math.round(await browser.evaluate('Module.firstFrameMs'))} ms`);
    assert.deepStrictEqual(browser.console.filter((entry) => entry.type === 'error'), []);
    await tapToStart();
    await ticks(4);
  } finally {
    await browser.send('Network.emulateNetworkConditions', { offline: false, latency: 0, downloadThroughput: -1, uploadThroughput: -1 });
  }
});

test('saves exported, imported back; a damaged import is one line and changes nothing', async () => {
  await open('', "localStorage.clear(); localStorage.setItem('skycourse:/skycourse/config/keys.conf', 'forward = w\\n');");
  const saves = { skycourseSaves: 1, files: await browser.evaluate('saveFiles()') };
  assert.strictEqual(saves.files['/skycourse/config/keys.conf'], 'forward = w\n');
  const kept = () => browser.evaluate("JSON.stringify(Object.entries(localStorage).sort())");
  const before = await kept();
  const damaged = [
    ['{"skycourseSaves": 1, "files": {"/skycourse/config/keys.conf": "jump = j\\n"', /damaged \(not JSON\)/],
    [JSON.stringify({ files: saves.files }), /not a file of Skycourse saves/],
    [JSON.stringify({ skycourseSaves: 1, files: { '/skycourse/config/keys.conf': 'x', '/skycourse/../etc/passwd': 'x' } }), /no save of the game/],
    [JSON.stringify({ skycourseSaves: 1, files: { '/skycourse/data/times.json': '{"ascent": [' } }), /times\.json is damaged/],
    [JSON.stringify({ skycourseSaves: 1, files: { '/skycourse/data/best.replay': 7 } }), /not text/],
  ];
  for (const [text, problem] of damaged) {
    await browser.evaluate(`importSaves('saves.json', ${JSON.stringify(text)})`);
    const line = await browser.evaluate('message.textContent');
    assert.match(line, problem);
    assert.match(line, /^skycourse: cannot import saves\.json: .*; nothing was changed\.$/);
    assert.strictEqual(await kept(), before);
  }
  saves.files['/skycourse/config/keys.conf'] = 'forward = i\n';
  const reloaded = browser.event('Page.loadEventFired');
  await browser.evaluate(`importSaves('saves.json', ${JSON.stringify(JSON.stringify(saves))})`);
  await reloaded;
  await browser.waitFor('Module.firstFrameMs !== undefined');
  assert.strictEqual(await browser.evaluate("FS.readFile('/skycourse/config/keys.conf', { encoding: 'utf8' })"), 'forward = i\n');
  await browser.evaluate('localStorage.clear()');
});

test('the game\'s memory is fixed, and the same over ten reloads', async (t) => {
  const seen = [];
  for (let reload = 0; reload < 10; ++reload) {
    await open();
    seen.push(await browser.evaluate('[wasmMemory.buffer.byteLength, Module._skycourse_heap_top()]'));
  }
  t.diagnostic(`memory ${seen[0][0]} bytes, the heap reaching ${seen[0][1]}`);
  assert.ok(seen.every((memory) => memory[0] === 16 << 20 && memory[1] === seen[0][1]), JSON.stringify(seen));
});

test('from the start pad to the first checkpoint by touch alone', async () => {
  await open();
  await tapToStart();
  // The route takes it at tick 1472.
  const end = await playRouteByTouch(fs.readFileSync(process.env.SKYCOURSE_ROUTE, 'utf8'), 1600);
  assert.strictEqual(end.checkpoints, 1, JSON.stringify(end));
});
