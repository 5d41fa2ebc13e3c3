// The page around the game: its media fetched and unpacked before the game
// starts, the canvas kept at the window's size, the start sign, the one
// message line, saving a run or the best run, watching one (a dropped file,
// the file button, or ?watch=URL&speed=N) and racing one as the ghost (a
// file dropped with Shift held, the file button, or ?ghost=URL), the touch
// controls' stick and buttons, the saves exported and imported, and the
// service worker that keeps the page for playing offline. The game itself
// is skycourse.js.
'use strict';

var params = new URLSearchParams(window.location.search);
var canvas = document.getElementById('canvas');
var sign = document.getElementById('sign');
var message = document.getElementById('message');
var media = {};           // the game's file name -> a promise of its bytes
var watchSpeed = Math.max(1, Math.min(20, parseInt(params.get('speed') || '1', 10) || 1));
var pending = [];        // scripts fetched before the game was ready: [what, name, text]
var loaded = document.getElementById('loaded');
var mediaCount = 0, mediaDone = 0;
var saveFolders = ['/skycourse/data', '/skycourse/config'];

// A touch screen shows the touch controls; a first touch shows them too,
// where the browser did not say so beforehand.
function useTouch() {
  if (document.body.classList.contains('touch')) return;
  document.body.classList.add('touch');
  if (sign.textContent === 'Click or press a key to play') sign.textContent = 'Tap to play';
}
if (navigator.maxTouchPoints > 0 || window.matchMedia('(pointer: coarse)').matches) useTouch();
window.addEventListener('touchstart', useTouch, { passive: true, capture: true });

function showLine(text) {
  message.textContent = text;
  message.style.display = 'block';
}

async function fetchBytes(url) {
  var response = await fetch(url);
  if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
  if (!/\.gz$/.test(url)) return new Uint8Array(await response.arrayBuffer());
  var unpacked = response.body.pipeThrough(new DecompressionStream('gzip'));
  return new Uint8Array(await new Response(unpacked).arrayBuffer());
}

// Fetched at once, while the browser compiles the game: name -> a promise of
// its bytes. The game starts when the pictures and shaders are in; the
// sounds, needed only after the first gesture, may come later.
var mediaList = fetch('media/media.json').then(function (response) {
  if (!response.ok) throw new Error('media/media.json: ' + response.status + ' ' + response.statusText);
  return response.json();
}).then(function (list) {
  mediaCount = Object.keys(list).length;
  Object.keys(list).forEach(function (name) {
    media[name] = fetchBytes(list[name]);
    media[name].then(function () {
      ++mediaDone;
      loaded.style.width = (100 * mediaDone / mediaCount) + '%';
      if (mediaDone === mediaCount) document.getElementById('loading').style.display = 'none';
    }, function () {});
  });
});

// Pictures and shaders go into the game's file system, where the desktop's
// loaders read them; sounds stay here for Web Audio to decode.
function placeMedia() {
  return mediaList.then(function () {
    return Promise.all(Object.keys(media).filter(function (name) {
      return !/^sounds\//.test(name);
    }).map(function (name) {
      return media[name].then(function (bytes) {
        FS.mkdirTree('/' + name.substring(0, name.lastIndexOf('/')));
        FS.writeFile('/' + name, bytes);
      });
    }));
  });
}

// The script's file name as the game will name it in a message.
function watchFile(name, text) {
  var safe = (name.split(/[\\/]/).pop() || 'run.replay').replace(/[^A-Za-z0-9._-]/g, '_');
  FS.mkdirTree('/watch');
  FS.writeFile('/watch/' + safe, text);
  return 'watch/' + safe;
}

function watch(name, text) {
  if (!Module.calledRun) { pending.push([watch, name, text]); return; }
  message.style.display = 'none';
  Module.ccall('skycourse_watch', 'number', ['string', 'number'], [watchFile(name, text), watchSpeed]);
}

// A script raced as the ghost, as the desktop's --ghost races one.
function race(name, text) {
  if (!Module.calledRun) { pending.push([race, name, text]); return; }
  message.style.display = 'none';
  Module.ccall('skycourse_ghost', 'number', ['string'], [watchFile(name, text)]);
}

function fitCanvas() {
  var ratio = window.devicePixelRatio || 1;
  var width = canvas.clientWidth, height = canvas.clientHeight;
  if (Module.calledRun && width > 0 && height > 0) {
    Module._skycourse_resize(width, height, Math.round(width * ratio), Math.round(height * ratio));
  }
}

// The run so far (`skycourse_recording_path`) or the best run kept
// (`skycourse_best_run_path`) offered as a download.
function saveRun(which, missing, prefix) {
  var path = Module.calledRun ? Module.ccall(which, 'string', [], []) : '';
  if (!path) { showLine(missing); return; }
  var blob = new Blob([FS.readFile(path)], { type: 'text/plain' });
  var link = document.createElement('a');
  var stamp = new Date().toISOString().replace(/[-:]/g, '').replace('T', '-').substring(0, 13);
  link.href = URL.createObjectURL(blob);
  link.download = prefix + stamp + '.replay';
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
}

var Module = {
  canvas: canvas,
  arguments: params.has('rows') ? ['--rows'] : [],
  print: function (text) { console.log(text); },
  printErr: function (text) { console.error(text); },
  mediaBytes: function (name) { return media[name]; },
  preRun: [function () {
    Module.addRunDependency('media');
    placeMedia().then(function () {
      Module.removeRunDependency('media');
    }, function (error) {
      sign.textContent = 'The game\'s media could not be loaded.';
      showLine('skycourse: ' + error.message);
    });
  }],
  postRun: [function () {
    fitCanvas();
    pending.forEach(function (script) { script[0](script[1], script[2]); });
    pending = [];
  }],
  page: {
    // The game's first frame is under the sign; when it came, for a test.
    firstFrame: function () {
      Module.firstFrameMs = performance.now();
      setTimeout(keepForOffline, 0);
      if (sign.style.display !== 'none') {
        sign.textContent = document.body.classList.contains('touch') ? 'Tap to play' : 'Click or press a key to play';
      }
    },
    stick: function (shown, originX, originY, thumbX, thumbY) {
      var rect = canvas.getBoundingClientRect();
      [['stick', originX, originY], ['thumb', thumbX, thumbY]].forEach(function (part) {
        var element = document.getElementById(part[0]);
        element.style.display = shown ? 'block' : 'none';
        element.style.left = (rect.left + part[1]) + 'px';
        element.style.top = (rect.top + part[2]) + 'px';
      });
    },
    showLine: showLine,
    hideSign: function () { sign.style.display = 'none'; },
    fullscreen: function () {
      if (document.fullscreenElement) document.exitFullscreen();
      else document.documentElement.requestFullscreen().catch(function () {});
    },
    lockPointer: function () {
      var asked = canvas.requestPointerLock();
      if (asked && asked.catch) asked.catch(function () {});
    },
    unlockPointer: function () { document.exitPointerLock(); },
    pointerLocked: function () { return document.pointerLockElement === canvas; },
  },
};

window.addEventListener('resize', fitCanvas);
document.addEventListener('fullscreenchange', fitCanvas);
document.getElementById('fullscreen').addEventListener('click', function (event) {
  Module.page.fullscreen();
  event.currentTarget.blur();
});
document.getElementById('save').addEventListener('click', function (event) {
  saveRun('skycourse_recording_path', 'There is no run of yours to save while a run is watched.', 'skycourse-');
  event.currentTarget.blur();
});
document.getElementById('save-best').addEventListener('click', function (event) {
  saveRun('skycourse_best_run_path', 'There is no best run yet: reach the ring first.', 'skycourse-best-');
  event.currentTarget.blur();
});
[['open', watch], ['race', race]].forEach(function (button) {
  document.getElementById(button[0]).addEventListener('change', function (event) {
    var file = event.target.files[0];
    if (file) file.text().then(function (text) { button[1](file.name, text); });
    event.target.value = '';
  });
});
document.addEventListener('dragover', function (event) { event.preventDefault(); });
// A course file written where the game reads it, and played.
function playCourse(name, text) {
  if (!Module.calledRun) { pending.push([playCourse, name, text]); return; }
  message.style.display = 'none';
  var safe = (name.split(/[\\/]/).pop() || 'dropped.course').replace(/[^A-Za-z0-9._-]/g, '_');
  FS.mkdirTree('/dropped');
  FS.writeFile('/dropped/' + safe, text);
  Module.ccall('skycourse_course', 'number', ['string'], ['/dropped/' + safe]);
}

// A dropped run is watched; dropped with Shift held, it is raced; a dropped
// .course file is played.
document.addEventListener('drop', function (event) {
  event.preventDefault();
  var file = event.dataTransfer.files[0];
  var use = file && /\.course$/i.test(file.name) ? playCourse : event.shiftKey ? race : watch;
  if (file) file.text().then(function (text) { use(file.name, text); });
});
[['watch', watch], ['ghost', race]].forEach(function (param) {
  if (!params.has(param[0])) return;
  var url = params.get(param[0]);
  fetch(url).then(function (response) {
    if (!response.ok) throw new Error(response.status + ' ' + response.statusText);
    return response.text();
  }).then(function (text) { param[1](url, text); }, function (error) {
    showLine('skycourse: cannot fetch ' + url + ': ' + error.message);
  });
});

// The touch buttons press and release as their keys do; several at once,
// and together with the stick.
[['jump', 0], ['turn-left', 1], ['turn-right', 2], ['camera', 3], ['pause', 4]].forEach(function (button) {
  var element = document.getElementById(button[0]);
  var press = function (down) {
    return function (event) {
      event.preventDefault();
      if (Module.calledRun) Module._skycourse_button(button[1], down);
    };
  };
  element.addEventListener('touchstart', press(1), { passive: false });
  element.addEventListener('touchend', press(0), { passive: false });
  element.addEventListener('touchcancel', press(0), { passive: false });
});
// Nothing of the page scrolls or zooms under a finger.
document.addEventListener('touchmove', function (event) { event.preventDefault(); }, { passive: false });
document.addEventListener('gesturestart', function (event) { event.preventDefault(); });

// The saves as one file: best times, the best run, settings and keys, each
// the desktop's own file under its own path.
function saveFiles() {
  var files = {};
  saveFolders.forEach(function (folder) {
    if (!FS.analyzePath(folder).exists) return;
    FS.readdir(folder).forEach(function (name) {
      var path = folder + '/' + name;
      if (name === '.' || name === '..' || /\.lock$|\.[^.]+\.[A-Za-z0-9]{6}$/.test(name)) return;
      if (FS.isFile(FS.stat(path).mode)) files[path] = FS.readFile(path, { encoding: 'utf8' });
    });
  });
  return files;
}

document.getElementById('export').addEventListener('click', function (event) {
  event.currentTarget.blur();
  if (!Module.calledRun) return;
  var text = JSON.stringify({ skycourseSaves: 1, files: saveFiles() }, null, 1);
  var link = document.createElement('a');
  link.href = URL.createObjectURL(new Blob([text], { type: 'application/json' }));
  link.download = 'skycourse-saves.json';
  document.body.appendChild(link);
  link.click();
  link.remove();
  setTimeout(function () { URL.revokeObjectURL(link.href); }, 10000);
});

// What is wrong with a saves file, or '' when every part of it is one of
// the game's files in its own folder, as text.
function savesProblem(saves) {
  if (!saves || typeof saves !== 'object' || saves.skycourseSaves !== 1 || !saves.files ||
      typeof saves.files !== 'object') return 'it is not a file of Skycourse saves';
  var paths = Object.keys(saves.files);
  if (paths.length === 0) return 'it holds no saves';
  for (var i = 0; i < paths.length; ++i) {
    var path = paths[i], slash = path.lastIndexOf('/'), name = path.substring(slash + 1);
    if (saveFolders.indexOf(path.substring(0, slash)) < 0 || !/^[A-Za-z0-9._-]+$/.test(name) || /^\.+$/.test(name)) {
      return 'it names ' + JSON.stringify(path) + ', which is no save of the game';
    }
    if (typeof saves.files[path] !== 'string') return path + ' is not text';
    if (/\.json$/.test(name)) {
      try { JSON.parse(saves.files[path]); } catch (error) { return path + ' is damaged'; }
    }
  }
  return '';
}

// Imported saves replace the kept ones, then the page starts again with
// them; a damaged file changes nothing.
function importSaves(name, text) {
  var saves = null;
  try { saves = JSON.parse(text); } catch (error) { /* named below */ }
  var problem = saves === null ? 'it is damaged (not JSON)' : savesProblem(saves);
  if (problem) { showLine('skycourse: cannot import ' + name + ': ' + problem + '; nothing was changed.'); return; }
  var before = {};
  try {
    Object.keys(saves.files).forEach(function (path) {
      before[path] = window.localStorage.getItem('skycourse:' + path);
      window.localStorage.setItem('skycourse:' + path, saves.files[path]);
    });
  } catch (error) {
    // Full half way: the saves as they were.
    Object.keys(before).forEach(function (path) {
      try {
        if (before[path] === null) window.localStorage.removeItem('skycourse:' + path);
        else window.localStorage.setItem('skycourse:' + path, before[path]);
      } catch (ignored) { /* storage gone altogether */ }
    });
    showLine('skycourse: cannot import ' + name + ': the browser\'s storage is full or turned off.');
    return;
  }
  window.location.reload();
}

document.getElementById('import').addEventListener('change', function (event) {
  var file = event.target.files[0];
  if (file) file.text().then(function (text) { importSaves(file.name, text); });
  event.target.value = '';
});

// The worker keeps the page, the game and its media, so the game starts
// again without the network. Asked for once the first frame is drawn, so
// that its copying does not hold up the first visit's start.
function keepForOffline() {
  if (!('serviceWorker' in navigator) || keepForOffline.asked) return;
  keepForOffline.asked = true;
  navigator.serviceWorker.register('sw.js').catch(function (error) {
    console.warn('skycourse: no offline play: ' + error.message);
  });
}
