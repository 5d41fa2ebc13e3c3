// node tools/web-picture.js <build-web> <route.replay> <tick> <out.png>:
// the page in headless Chromium, watching the route up to `tick`, captured
// as the player sees it (buttons and all): the README's picture of the game
// in a browser.
'use strict';

const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const { launch, serve } = require('../tests/web/browser.js');

async function main() {
  const [webDir, route, tickText, out] = process.argv.slice(2);
  const tick = Number(tickText);
  if (!out || !(tick > 0)) throw new Error('usage: node tools/web-picture.js <build-web> <route.replay> <tick> <out.png>');
  // The route's lines up to its tick `tick`, its keys then let go.
  const lines = [];
  let played = 0;
  for (const line of fs.readFileSync(route, 'utf8').split(/\r?\n/)) {
    const ticks = /^tick(?:\s+(\d+))?$/.exec(line);
    if (ticks) {
      const count = Number(ticks[1] || 1);
      if (played + count >= tick) {
        lines.push(`tick ${tick - played}`);
        break;
      }
      played += count;
    }
    if (!/^(items|blocks|key down 27)/.test(line)) lines.push(line);
  }
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'skycourse-web-picture-'));
  fs.writeFileSync(path.join(dir, 'part.replay'), lines.join('\n') + '\n');
  const site = await serve(webDir, { '/part.replay': path.join(dir, 'part.replay') });
  const browser = await launch();
  try {
    await browser.openPage(1280, 800);
    await browser.navigate(`${site.url}?watch=/part.replay&speed=20`);
    await browser.waitFor('Module.firstFrameMs !== undefined');
    await browser.click(640, 400);
    await browser.waitFor(`JSON.parse(Module.ccall('skycourse_state', 'string', [], [])).tick >= ${tick}`, 120000);
    await new Promise((resolve) => setTimeout(resolve, 300));
    const shot = await browser.send('Page.captureScreenshot', { format: 'png' });
    fs.writeFileSync(out, Buffer.from(shot.data, 'base64'));
  } finally {
    await browser.close();
    site.server.close();
    fs.rmSync(dir, { recursive: true, force: true });
  }
}

main().catch((error) => {
  console.error(`web-picture: ${error.message}`);
  process.exit(1);
});
