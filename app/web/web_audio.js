// The page's side of the sound layer (sound_layer_web.cpp): one
// AudioContext, made at the player's first gesture (browsers start sound
// only then), ten channels each a gain node into a master gain, and the
// sounds decoded from the page's media. Every started source is noted in
// Module.audioLog, so a test can read what was heard.
mergeInto(LibraryManager.library, {
  $skycourseAudio: {
    context: null,
    master: null,
    channels: [],
    buffers: [],
  },

  skycourseAudioOpen__deps: ['$skycourseAudio'],
  skycourseAudioOpen: function (count) {
    var Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return 0;
    var a = skycourseAudio;
    a.context = new Context();
    a.master = a.context.createGain();
    a.master.connect(a.context.destination);
    a.channels = [];
    for (var i = 0; i < count; ++i) {
      var gain = a.context.createGain();
      gain.connect(a.master);
      a.channels.push({ gain: gain, source: null });
    }
    Module.audioLog = Module.audioLog || [];
    return 1;
  },

  skycourseAudioLoad__deps: ['$skycourseAudio', 'skycourseAudioPlay'],
  skycourseAudioLoad: function (file, loop) {
    var a = skycourseAudio;
    var name = UTF8ToString(file);
    var bytes = Module.mediaBytes && Module.mediaBytes(name);
    if (!bytes) return -1;
    var slot = { name: name, loop: !!loop, buffer: null };
    a.buffers.push(slot);
    var id = a.buffers.length - 1;
    var context = a.context;
    Promise.resolve(bytes).then(function (data) {
      // decodeAudioData takes the bytes over: a copy keeps the page's own.
      return context.decodeAudioData(data.slice().buffer);
    }).then(function (decoded) {
      slot.buffer = decoded;
      if (slot.pending !== undefined) {
        var channel = slot.pending;
        delete slot.pending;
        _skycourseAudioPlay(id, channel);
      }
    }, function (error) {
      console.warn('skycourse: sound ' + name + ' stays silent: ' + error);
    });
    return id;
  },

  skycourseAudioPlay__deps: ['$skycourseAudio'],
  skycourseAudioPlay: function (id, index) {
    var a = skycourseAudio;
    var slot = a.buffers[id];
    var channel = a.channels[index];
    if (!slot || !channel) return 0;
    if (!slot.buffer) {
      // Still decoding: only a track waits for it (the music must start);
      // an effect this late would ring out of time.
      if (!slot.loop) return 0;
      slot.pending = index;
      channel.source = { waiting: true };
      return 1;
    }
    var source = a.context.createBufferSource();
    source.buffer = slot.buffer;
    source.loop = slot.loop;
    source.connect(channel.gain);
    source.onended = function () {
      if (channel.source === source) channel.source = null;
    };
    channel.source = source;
    source.start();
    Module.audioLog.push({ file: slot.name, channel: index, volume: channel.gain.gain.value,
                           time: a.context.currentTime });
    return 1;
  },

  skycourseAudioPlaying__deps: ['$skycourseAudio'],
  skycourseAudioPlaying: function (index) {
    var channel = skycourseAudio.channels[index];
    return channel && channel.source ? 1 : 0;
  },

  skycourseAudioChannelVolume__deps: ['$skycourseAudio'],
  skycourseAudioChannelVolume: function (index, volume) {
    var channel = skycourseAudio.channels[index];
    if (!channel) return;
    channel.gain.gain.value = volume;
    var log = Module.audioLog;
    for (var i = log.length - 1; i >= 0; --i) {
      if (log[i].channel === index) { log[i].volume = volume; break; }
    }
  },

  skycourseAudioMasterVolume__deps: ['$skycourseAudio'],
  skycourseAudioMasterVolume: function (volume) {
    if (skycourseAudio.master) skycourseAudio.master.gain.value = volume;
  },

  skycourseAudioStopAll__deps: ['$skycourseAudio'],
  skycourseAudioStopAll: function () {
    var a = skycourseAudio;
    a.buffers.forEach(function (slot) { delete slot.pending; });
    a.channels.forEach(function (channel) {
      var source = channel.source;
      channel.source = null;
      if (source && source.stop) source.stop();
    });
  },

  skycourseAudioClose__deps: ['$skycourseAudio', 'skycourseAudioStopAll'],
  skycourseAudioClose: function () {
    _skycourseAudioStopAll();
    var a = skycourseAudio;
    if (a.context) a.context.close();
    a.context = null;
    a.channels = [];
    a.buffers = [];
  },
});
