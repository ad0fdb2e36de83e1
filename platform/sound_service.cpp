// sound_service.cpp -- the sound service on SDL2_mixer: WAV effects on 32 channels, XM music
// modules.
// SPDX-License-Identifier: MIT
#include "platform/sound_service.h"
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <stdio.h>
#include <stdlib.h>
#include "platform/fileio.h"
#include "platform/loga.h"

struct FSOUND_SAMPLE {
    Mix_Chunk *chunk;
};

struct FMUSIC_MODULE {
    Mix_Music *music;
    int volume;          // 0..256
    unsigned char *file; // the module's bytes, which a decoder may read while it plays
};

// The service's state: whether a device is open and which module owns the music channel.
struct SndState {
    int open;
    const FMUSIC_MODULE *playing;
    int music_paused; // play's pause holds the music
};
static SndState snd;

SND_Counts SND_counts;

void SND_reset_counts(void) {
    SND_counts = SND_Counts();
}

static void snd_log(const char *what, const char *name, const char *why) {
    char line[300];
    snprintf(line, sizeof line, "sound: %s %s: %s", what, name ? name : "(null)", why);
    loga(line);
}

// Reads a sound file whole, if it is a regular file of at most max bytes (never waiting on a
// pipe); null, logged, when it is not. *file gets the bytes, for the caller to free.
static SDL_RWops *snd_open(const char *what, const char *name, size_t max, unsigned char **file) {
    FioData d = {nullptr, 0, 0};
    int result = name ? FIO_read(name, max, &d) : FIO_MISSING;
    SDL_RWops *rw = result == FIO_OK ? SDL_RWFromConstMem(d.data, (int)d.size) : nullptr;
    if (!rw) {
        char why[120];
        snd_log(what, name,
                result == FIO_OK ? SDL_GetError() : FIO_why(result, &d, max, why, sizeof why));
        free(d.data);
        return nullptr;
    }
    *file = d.data;
    return rw;
}

static int snd_clamp(int v, int lo, int hi) {
    return v < lo ? lo : v > hi ? hi : v;
}

int FSOUND_Init(int mixrate, int maxchannels, unsigned int flags) {
    (void)flags; // focus handling is the window's business here
    if (snd.open) return 1;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        snd_log("no audio", "device", SDL_GetError());
        return 0;
    }
    Mix_Init(MIX_INIT_MOD);
    if (Mix_OpenAudio(mixrate, AUDIO_S16SYS, 2, 1024) != 0) {
        snd_log("no audio", "device", Mix_GetError());
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    Mix_AllocateChannels(maxchannels > 0 ? maxchannels : 32);
    snd.open = 1;
    snd.playing = nullptr;
    return 1;
}

FSOUND_SAMPLE *FSOUND_Sample_Load(int index, const char *name, unsigned int mode, int offset,
                                  int length) {
    (void)index, (void)mode, (void)offset, (void)length; // every effect loads whole, unlooped
    if (!snd.open) return nullptr;
    unsigned char *bytes = nullptr;
    SDL_RWops *file = snd_open("cannot load sample", name, SND_SAMPLE_MAX, &bytes);
    if (!file) return nullptr;
    Mix_Chunk *chunk = Mix_LoadWAV_RW(file, 1); // decoded whole: the bytes can go
    free(bytes);
    if (!chunk) {
        snd_log("cannot load sample", name, Mix_GetError());
        return nullptr;
    }
    FSOUND_SAMPLE *s = (FSOUND_SAMPLE *)malloc(sizeof *s);
    if (!s) {
        Mix_FreeChunk(chunk);
        return nullptr;
    }
    s->chunk = chunk;
    SND_counts.loads++;
    return s;
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE *sample) {
    if (!sample) return -1;
    SND_counts.plays++;
    SND_counts.last_played = sample;
    if (!snd.open) return -1;
    return Mix_PlayChannel(channel < 0 ? -1 : channel, sample->chunk, 0);
}

int FSOUND_SetPan(int channel, int pan) {
    if (!snd.open || channel < 0 || channel >= Mix_AllocateChannels(-1)) return 0;
    pan = snd_clamp(pan, 0, 255);
    return Mix_SetPanning(channel, (Uint8)(255 - pan), (Uint8)pan) != 0;
}

int FSOUND_StopSound(int channel) {
    if (!snd.open || channel < 0 || channel >= Mix_AllocateChannels(-1)) return 0;
    Mix_HaltChannel(channel);
    return 1;
}

int FSOUND_SetPaused(int channel, int paused) {
    if (!snd.open || channel == FSOUND_FREE) return 0;
    if (channel != FSOUND_ALL && (channel < 0 || channel >= Mix_AllocateChannels(-1))) return 0;
    int which = channel == FSOUND_ALL ? -1 : channel;
    if (paused)
        Mix_Pause(which);
    else
        Mix_Resume(which);
    return 1;
}

void FSOUND_SetSFXMasterVolume(int volume) {
    if (!snd.open) return;
    Mix_Volume(-1, snd_clamp(volume, 0, 255) * MIX_MAX_VOLUME / 255);
}

void FSOUND_Sample_Free(FSOUND_SAMPLE *sample) {
    if (!sample) return;
    Mix_FreeChunk(sample->chunk); // stops any channel still playing it
    free(sample);
    SND_counts.frees++;
}

void FSOUND_Close(void) {
    if (!snd.open) return;
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    snd.open = 0;
    snd.playing = nullptr;
}

FMUSIC_MODULE *FMUSIC_LoadSong(const char *name) {
    if (!snd.open) return nullptr;
    unsigned char *bytes = nullptr;
    SDL_RWops *file = snd_open("cannot load music", name, SND_MUSIC_MAX, &bytes);
    Mix_Music *music = file ? Mix_LoadMUS_RW(file, 1) : nullptr;
    FMUSIC_MODULE *m = music ? (FMUSIC_MODULE *)malloc(sizeof *m) : nullptr;
    if (!m) {
        if (file && !music) snd_log("cannot load music", name, Mix_GetError());
        if (music) Mix_FreeMusic(music);
        free(bytes);
        return nullptr;
    }
    m->music = music;
    m->volume = 256;
    m->file = bytes;
    return m;
}

// The module's volume, and at volume 0 the music held: the module player's quietest volume is
// still heard.
static void snd_apply_music_volume(const FMUSIC_MODULE *module) {
    Mix_VolumeMusic(snd_clamp(module->volume, 0, 256) * MIX_MAX_VOLUME / 256);
    if (module->volume <= 0 || snd.music_paused)
        Mix_PauseMusic();
    else
        Mix_ResumeMusic();
}

int FMUSIC_SetMasterVolume(FMUSIC_MODULE *module, int volume) {
    if (!module) return 0;
    module->volume = snd_clamp(volume, 0, 256);
    if (snd.open && snd.playing == module) snd_apply_music_volume(module);
    return 1;
}

int FMUSIC_PlaySong(FMUSIC_MODULE *module) {
    if (!module) return 0;
    SND_counts.song_plays++;
    if (!snd.open) return 0;
    if (Mix_PlayMusic(module->music, -1) != 0) {
        snd_log("cannot play music", "module", Mix_GetError());
        return 0;
    }
    snd.playing = module;
    snd.music_paused = 0;
    snd_apply_music_volume(module);
    return 1;
}

int FMUSIC_SetPaused(FMUSIC_MODULE *module, int paused) {
    if (!module || !snd.open || snd.playing != module) return 0;
    snd.music_paused = paused != 0;
    snd_apply_music_volume(module);
    return 1;
}

int FMUSIC_StopSong(FMUSIC_MODULE *module) {
    if (!module || !snd.open || snd.playing != module) return 0;
    Mix_HaltMusic();
    snd.playing = nullptr;
    return 1;
}

int FMUSIC_FreeSong(FMUSIC_MODULE *module) {
    if (!module) return 0;
    if (snd.playing == module) {
        Mix_HaltMusic();
        snd.playing = nullptr;
    }
    Mix_FreeMusic(module->music);
    free(module->file);
    free(module);
    return 1;
}
