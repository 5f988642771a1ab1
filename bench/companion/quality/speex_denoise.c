/* speexdsp's preprocessor as a denoiser baseline: 16-bit mono PCM on stdin, the same on
 * stdout, 10 ms frames, noise suppression at the given depth (default -25 dB). */
#include <speex/speex_preprocess.h>

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv)
{
    if (argc < 2)
    {
        fprintf(stderr, "usage: %s RATE [SUPPRESS_DB] < in.s16 > out.s16\n", argv[0]);
        return 2;
    }
    const int rate = atoi(argv[1]);
    const int suppress = argc > 2 ? atoi(argv[2]) : -25;
    const int frame = rate / 100;
    SpeexPreprocessState* state = speex_preprocess_state_init(frame, rate);
    int on = 1;
    int depth = suppress;
    speex_preprocess_ctl(state, SPEEX_PREPROCESS_SET_DENOISE, &on);
    speex_preprocess_ctl(state, SPEEX_PREPROCESS_SET_NOISE_SUPPRESS, &depth);
    spx_int16_t* buffer = calloc((size_t)frame, sizeof *buffer);
    size_t got;
    while ((got = fread(buffer, sizeof *buffer, (size_t)frame, stdin)) > 0)
    {
        /* The last partial frame is padded with silence and written at its own length. */
        for (size_t i = got; i < (size_t)frame; ++i)
            buffer[i] = 0;
        speex_preprocess_run(state, buffer);
        fwrite(buffer, sizeof *buffer, got, stdout);
    }
    free(buffer);
    speex_preprocess_state_destroy(state);
    return 0;
}
