// The game's music in the page: FluidSynth compiled for the web (js-synthesizer) on
// an AudioWorklet, with the distribution's SoundFont. Browsers let sound start only
// after a user's gesture: `start` is called at the first click. Whatever fails, the
// game plays on in silence and the page says so once.
'use strict';

(function (global) {
  function createMusic(soundFontUrl, notice) {
    let synth = null;
    let context = null;
    let failed = false;
    // The engine's calls are kept in order, also while the synthesizer loads.
    let chain = Promise.resolve();

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
      await context.audioWorklet.addModule('libfluidsynth-2.3.0.js');
      await context.audioWorklet.addModule('js-synthesizer.worklet.min.js');
      const worklet = new JSSynth.AudioWorkletNodeSynthesizer();
      worklet.init(context.sampleRate);
      worklet.createAudioNode(context).connect(context.destination);
      const response = await fetch(soundFontUrl);
      if (!response.ok) throw new Error(soundFontUrl + ': ' + response.status);
      await worklet.loadSFont(await response.arrayBuffer());
      synth = worklet;
    }

    return {
      start() {
        if (context || failed) {
          if (context && context.state === 'suspended') context.resume().catch(fail);
          return;
        }
        chain = chain.then(load).then(() => context.resume()).catch(fail);
      },
      open(bytes) {
        later(async (s) => {
          s.stopPlayer();
          await s.resetPlayer();
          await s.addSMFDataToPlayer(bytes.buffer);
        });
      },
      play: () => later((s) => s.playPlayer()),
      stop: () => later((s) => {
        s.stopPlayer();
        s.midiAllSoundsOff();
      }),
      rewind: () => later((s) => s.seekPlayer(0)),
      close: () => later(async (s) => {
        s.stopPlayer();
        s.midiAllSoundsOff();
        await s.resetPlayer();
      }),
    };
  }

  global.PryxMusic = { createMusic };
})(window);
