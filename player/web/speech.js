// Reading aloud in the page through the browser's speech synthesis (Web Speech API),
// in a Japanese voice where the browser has one. The browser queues what it is
// given, so texts are spoken one after another in the order given. A browser
// without speech synthesis plays on silently.
'use strict';

(function (global) {
  const kSilent = { say() {}, stop() {}, speaking: () => false };

  function createSpeech(synthesis = global.speechSynthesis) {
    if (!synthesis || typeof global.SpeechSynthesisUtterance !== 'function') return kSilent;
    let voice = null;
    // The voices may arrive only after the page has started.
    function chooseVoice() {
      voice = synthesis.getVoices().find((candidate) => /^ja\b/i.test(candidate.lang)) || null;
    }
    chooseVoice();
    if (synthesis.addEventListener) synthesis.addEventListener('voiceschanged', chooseVoice);

    // What was given and has not ended. A browser may drop a text without telling
    // its end: then its own state, speaking nothing, decides.
    const unfinished = new Set();
    return {
      say(text) {
        const utterance = new global.SpeechSynthesisUtterance(text);
        utterance.lang = voice ? voice.lang : 'ja-JP';
        if (voice) utterance.voice = voice;
        utterance.onend = utterance.onerror = () => unfinished.delete(utterance);
        unfinished.add(utterance);
        synthesis.speak(utterance);
      },
      stop() {
        unfinished.clear();
        synthesis.cancel();
      },
      speaking: () => unfinished.size > 0 && (synthesis.speaking || synthesis.pending),
    };
  }

  global.PryxSpeech = { createSpeech };
})(window);
