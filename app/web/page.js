// The page around the game: its media fetched and unpacked before the game
// starts, the canvas kept at the window's size, the start sign, the one
// message line, saving a run or the best run, watching one (a dropped file,
// the file button, or ?watch=URL&speed=N) and racing one as the ghost (a
// file dropped with Shift held, the file button, or ?ghost=URL). The game
// itself is skycourse.js.
'use strict';

var params = new URLSearchParams(window.location.search);
var canvas = document.getElementById('canvas');
var sign = document.getElementById('sign');
var message = document.getElementById('message');
var media = {};           // the game's file name -> a promise of its bytes
var watchSpeed = Math.max(1, Math.min(20, parseInt(params.get('speed') || '1', 10) || 1));
var pending = [];        // scripts fetched before the game was ready: [what, name, text]

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
  Object.keys(list).forEach(function (name) { media[name] = fetchBytes(list[name]); });
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
      if (sign.style.display !== 'none') sign.textContent = 'Click or press a key to play';
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
