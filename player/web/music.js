// The game's music in the page: FluidSynth compiled for the web (js-synthesizer) on
// an AudioWorklet, with the distribution's SoundFont. Browsers let sound start only
// after a user's gesture: `start` is called at the first click. Whatever fails, the
// game plays on in silence and the page says so once.
'use strict';

(function (global) {
  function createMusic(soundFontUrl, synthesizerUrl, notice) {
    let synth = null;
    let context = null;
    let meter = null;
    let failed = false;
    // The engine's calls are kept in order. Before the synthesizer is loaded only
    // the piece and whether it plays are kept, to be taken up when it is.
    let chain = Promise.resolve();
    let piece = null;
    let playing = false;

    function fail(error) {
      if (failed) return;
      failed = true;
      notice(error);
    }

    function later(step) {
      chain = chain.then(() => (synth && !failed ? step(synth) : undefined)).catch(fail);
    }

    async function load() {
      context = new AudioContext();
      await context.audioWorklet.addModule(synthesizerUrl);
      await context.audioWorklet.addModule('js-synthesizer.worklet.min.js');
      const worklet = new JSSynth.AudioWorkletNodeSynthesizer();
      worklet.init(context.sampleRate);
      // The meter lets a test tell sound from silence.
      meter = context.createAnalyser();
      worklet.createAudioNode(context).connect(meter);
      meter.connect(context.destination);
      const response = await fetch(soundFontUrl);
      if (!response.ok) throw new Error(soundFontUrl + ': ' + response.status);
      await worklet.loadSFont(await response.arrayBuffer());
      if (piece) {
        await worklet.addSMFDataToPlayer(piece.buffer);
        if (playing) worklet.playPlayer();
      }
      synth = worklet;
    }

    return {
      // The loudest sample of what is sounding now, 0 for silence.
      level() {
        if (!meter) return 0;
        const samples = new Float32Array(meter.fftSize);
        meter.getFloatTimeDomainData(samples);
        return samples.reduce((loudest, sample) => Math.max(loudest, Math.abs(sample)), 0);
      },
      ready: () => synth !== null && context.state === 'running',
      start() {
        if (context || failed) {
          if (context && context.state === 'suspended') context.resume().catch(fail);
          return;
        }
        chain = chain.then(load).then(() => context.resume()).catch(fail);
      },
      open(bytes) {
        piece = bytes;
        playing = false;
        later(async (s) => {
          s.stopPlayer();
          await s.resetPlayer();
          await s.addSMFDataToPlayer(bytes.buffer);
        });
      },
      play() {
        playing = true;
        later((s) => s.playPlayer());
      },
      stop() {
        playing = false;
        later((s) => {
          s.stopPlayer();
          s.midiAllSoundsOff();
        });
      },
      rewind: () => later((s) => s.seekPlayer(0)),
      close: () => {
        piece = null;
        playing = false;
        later(async (s) => {
          s.stopPlayer();
          s.midiAllSoundsOff();
          await s.resetPlayer();
        });
      },
    };
  }

  global.PryxMusic = { createMusic };
})(window);
