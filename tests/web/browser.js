// A headless Chromium driven over the DevTools protocol on a pipe (no
// WebSocket, no npm package), and the page served from build-web/ on
// 127.0.0.1: what the page tests need, and no more.
'use strict';

const { spawn } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const os = require('node:os');
const path = require('node:path');

const chromiumNames = ['chromium', 'chromium-browser'];

function findChromium() {
  if (process.env.CHROMIUM) return process.env.CHROMIUM;
  for (const dir of (process.env.PATH || '').split(':')) {
    for (const name of chromiumNames) {
      const candidate = path.join(dir, name);
      if (fs.existsSync(candidate)) return candidate;
    }
  }
  return null;
}

const types = {
  '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.json': 'application/json',
  '.gz': 'application/octet-stream', '.flac': 'audio/flac', '.mp3': 'audio/mpeg', '.replay': 'text/plain',
};

// Serves `root` (and `extra`, a map of URL paths to files) on 127.0.0.1.
async function serve(root, extra = {}) {
  const server = http.createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    let file = extra[url.pathname];
    if (!file) {
      const relative = path.normalize(decodeURIComponent(url.pathname)).replace(/^(\.\.[/\\])+/, '');
      file = path.join(root, relative === '/' ? 'index.html' : relative);
    }
    fs.readFile(file, (error, data) => {
      if (error) {
        response.writeHead(404);
        response.end();
        return;
      }
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      response.end(data);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  // `extra` may be added to later.
  return { server, extra, url: `http://127.0.0.1:${server.address().port}/` };
}

// One browser, one page (a tab) in it, and the events of both.
class Browser {
  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.waiting = new Map();
    this.listeners = [];
    this.console = [];   // {type, text} of every console message and uncaught error
    let buffered = '';
    child.stdio[4].on('data', (chunk) => {
      buffered += chunk.toString('utf8');
      let end;
      while ((end = buffered.indexOf('\0')) >= 0) {
        const message = JSON.parse(buffered.slice(0, end));
        buffered = buffered.slice(end + 1);
        this.receive(message);
      }
    });
    this.exited = new Promise((resolve) => child.on('exit', resolve));
  }

  receive(message) {
    if (message.id && this.waiting.has(message.id)) {
      const { resolve, reject, method } = this.waiting.get(message.id);
      this.waiting.delete(message.id);
      if (message.error) reject(new Error(`${method}: ${message.error.message}`));
      else resolve(message.result);
      return;
    }
    if (message.method === 'Runtime.consoleAPICalled') {
      const text = message.params.args.map((a) => (a.value !== undefined ? String(a.value) : a.description || '')).join(' ');
      this.console.push({ type: message.params.type, text });
    } else if (message.method === 'Runtime.exceptionThrown') {
      const details = message.params.exceptionDetails;
      this.console.push({ type: 'error', text: (details.exception && details.exception.description) || details.text });
    } else if (message.method === 'Log.entryAdded') {
      this.console.push({ type: message.params.entry.level, text: message.params.entry.text });
    }
    for (const listener of this.listeners) listener(message);
  }

  send(method, params = {}, sessionId = this.sessionId) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId) message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      this.waiting.set(id, { resolve, reject, method });
      this.child.stdio[3].write(JSON.stringify(message) + '\0');
    });
  }

  // The next event of this name that `accept` takes.
  event(method, accept = () => true, timeoutMs = 30000) {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.listeners = this.listeners.filter((l) => l !== listen);
        reject(new Error(`no ${method} within ${timeoutMs} ms`));
      }, timeoutMs);
      const listen = (message) => {
        if (message.method !== method || !accept(message.params)) return;
        clearTimeout(timer);
        this.listeners = this.listeners.filter((l) => l !== listen);
        resolve(message.params);
      };
      this.listeners.push(listen);
    });
  }

  async openPage(width, height) {
    const { targetId } = await this.send('Target.createTarget', { url: 'about:blank' }, null);
    const { sessionId } = await this.send('Target.attachToTarget', { targetId, flatten: true }, null);
    this.sessionId = sessionId;
    await this.send('Page.enable');
    await this.send('Runtime.enable');
    await this.send('Log.enable');
    await this.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor: 1, mobile: false });
  }

  async navigate(url) {
    const loaded = this.event('Page.loadEventFired');
    await this.send('Page.navigate', { url });
    await loaded;
  }

  // The value of a JavaScript expression in the page (awaited if a promise).
  async evaluate(expression) {
    const result = await this.send('Runtime.evaluate', { expression, awaitPromise: true, returnByValue: true });
    if (result.exceptionDetails) {
      throw new Error(`${expression}: ${result.exceptionDetails.exception ? result.exceptionDetails.exception.description : result.exceptionDetails.text}`);
    }
    return result.result.value;
  }

  // Polls until the expression is truthy; its value.
  async waitFor(expression, timeoutMs = 30000) {
    const end = Date.now() + timeoutMs;
    for (;;) {
      const value = await this.evaluate(expression).catch(() => undefined);
      if (value) return value;
      if (Date.now() > end) throw new Error(`not true within ${timeoutMs} ms: ${expression}`);
      await new Promise((resolve) => setTimeout(resolve, 50));
    }
  }

  async key(type, key, code, keyCode, modifiers = 0) {
    const text = type === 'keyDown' && key.length === 1 ? key : undefined;
    await this.send('Input.dispatchKeyEvent', {
      type: text ? 'keyDown' : type === 'keyDown' ? 'rawKeyDown' : 'keyUp',
      key, code, windowsVirtualKeyCode: keyCode, text, modifiers,
    });
  }

  async click(x, y) {
    for (const type of ['mousePressed', 'mouseReleased']) {
      await this.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
    }
  }

  // A touch event of the emulated touch screen: `points` are all the
  // fingers down after it ({x, y, id}); an end lifts them all.
  async touch(type, points) {
    await this.send('Input.dispatchTouchEvent', { type, touchPoints: points });
  }

  async close() {
    try {
      await Promise.race([this.send('Browser.close', {}, null), new Promise((r) => setTimeout(r, 3000))]);
    } catch (error) { /* it went already */ }
    this.child.kill('SIGKILL');
    await this.exited;
    // The browser's last writes may still be landing.
    for (let i = 0; i < 20 && fs.existsSync(this.profile); ++i) {
      try { fs.rmSync(this.profile, { recursive: true, force: true }); } catch (error) { await new Promise((r) => setTimeout(r, 100)); }
    }
  }
}

async function launch() {
  const chromium = findChromium();
  if (!chromium) return null;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'skycourse-chromium-'));
  const child = spawn(chromium, [
    '--headless=new', '--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
    '--disable-dev-shm-usage', '--autoplay-policy=user-gesture-required',
    `--user-data-dir=${profile}`, '--remote-debugging-pipe', 'about:blank',
  ], { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
  child.stderr.resume();
  // A test that fails half way must not leave its browser running.
  process.on('exit', () => child.kill('SIGKILL'));
  return new Browser(child, profile);
}

module.exports = { launch, serve, findChromium };
