// node tools/phone-picture.js <build-web> <out.png>: the page on an
// emulated phone (a 740 x 360 touch screen), started by a tap, with the
// stick held forward for a moment, captured as the player sees it: the
// README's picture of the touch controls.
'use strict';

const fs = require('node:fs');
const { launch, serve } = require('../tests/web/browser.js');

async function main() {
  const [webDir, out] = process.argv.slice(2);
  if (!out) throw new Error('usage: node tools/phone-picture.js <build-web> <out.png>');
  const site = await serve(webDir);
  const browser = await launch();
  try {
    await browser.openPage(740, 360);
    await browser.send('Emulation.setDeviceMetricsOverride', { width: 740, height: 360, deviceScaleFactor: 1, mobile: true });
    await browser.send('Emulation.setTouchEmulationEnabled', { enabled: true, maxTouchPoints: 5 });
    await browser.navigate(site.url);
    await browser.waitFor('Module.firstFrameMs !== undefined');
    await browser.touch('touchStart', [{ x: 370, y: 60, id: 0 }]);
    await browser.touch('touchEnd', []);
    await browser.touch('touchStart', [{ x: 130, y: 250, id: 1 }]);
    await browser.touch('touchMove', [{ x: 130, y: 205, id: 1 }]);
    await browser.waitFor("JSON.parse(Module.ccall('skycourse_state', 'string', [], [])).tick >= 12", 60000);
    const shot = await browser.send('Page.captureScreenshot', { format: 'png' });
    fs.writeFileSync(out, Buffer.from(shot.data, 'base64'));
  } finally {
    await browser.close();
    site.server.close();
  }
}

main().catch((error) => {
  console.error(`phone-picture: ${error.message}`);
  process.exit(1);
});
