// The page's side of storage.cpp: the files of a folder of the game's
// memory to and from localStorage, one entry per file, named "skycourse:"
// and the file's path so the game's entries stand apart from anything else
// of the same origin.
mergeInto(LibraryManager.library, {
  skycourseStorageLoad: function (folderPtr) {
    var folder = UTF8ToString(folderPtr);
    var prefix = 'skycourse:' + folder + '/';
    try {
      var store = window.localStorage;
      FS.mkdirTree(folder);
      for (var i = 0; i < store.length; ++i) {
        var key = store.key(i);
        if (key.indexOf(prefix) !== 0) continue;
        var name = key.substring(prefix.length);
        if (name.indexOf('/') >= 0 || name === '' || name === '.' || name === '..') continue;
        FS.writeFile(folder + '/' + name, store.getItem(key));
      }
      return 1;
    } catch (error) {
      FS.mkdirTree(folder);
      console.warn('skycourse: the browser gives no storage: ' + error);
      return 0;
    }
  },

  skycourseStorageStore: function (folderPtr) {
    var folder = UTF8ToString(folderPtr);
    try {
      var store = window.localStorage;
      var names = FS.readdir(folder);
      for (var i = 0; i < names.length; ++i) {
        var name = names[i];
        // Not the lock, nor a temporary file that a failed write left
        // behind: the file's own name and mkstemp's six letters after it
        // (best.replay itself ends in six letters).
        if (name === '.' || name === '..' || /\.lock$|\.[^.]+\.[A-Za-z0-9]{6}$/.test(name)) continue;
        var path = folder + '/' + name;
        if (!FS.isFile(FS.stat(path).mode)) continue;
        store.setItem('skycourse:' + path, FS.readFile(path, { encoding: 'utf8' }));
      }
      return 1;
    } catch (error) {
      console.warn('skycourse: cannot keep ' + folder + ' in the browser: ' + error);
      return 0;
    }
  },
});
