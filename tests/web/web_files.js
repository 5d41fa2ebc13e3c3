// Where the page's build is; a clear failure when it was not built.
'use strict';

const fs = require('node:fs');
const path = require('node:path');

function webFile(name) {
  const dir = process.env.SKYCOURSE_WEB_DIR || path.join(__dirname, '..', '..', 'build-web');
  const file = path.join(dir, name);
  if (!fs.existsSync(file)) throw new Error(`${file} is missing: build the page first (make web)`);
  return file;
}

module.exports = { webFile };
