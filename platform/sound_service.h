// sound_service.h -- the sound service: samples, channels and music modules, on SDL2_mixer.
// With no audio device every operation is a safe no-op: handles may be null, channels -1.
// SPDX-License-Identifier: MIT
#pragma once

struct FSOUND_SAMPLE; // a loaded effect (WAV)
struct FMUSIC_MODULE; // a loaded music module (XM)

enum {
    FSOUND_FREE = -1,            // "any free channel" for FSOUND_PlaySound
    FSOUND_ALL = -3,             // "every channel" for FSOUND_SetPaused
    FSOUND_LOOP_OFF = 0x0001,    // sample mode bits
    FSOUND_2D = 0x2000,          //
    FSOUND_INIT_GLOBALFOCUS = 2, // init flag
};

// The largest sound files loaded: a file past these is refused unread, with a log line.
enum {
    SND_SAMPLE_MAX = 16 << 20, // a WAV effect
    SND_MUSIC_MAX = 32 << 20,  // a music module
};

// Opens the audio device at the mix rate with the given channels. Called once by main.
int FSOUND_Init(int mixrate, int maxchannels, unsigned int flags);
// Loads a WAV sample; null when it cannot be loaded (logged): missing, not a regular file, larger
// than SND_SAMPLE_MAX or not a sample.
FSOUND_SAMPLE *FSOUND_Sample_Load(int index, const char *name, unsigned int mode, int offset,
                                  int length);
// Plays a sample on a free channel; returns the channel or -1.
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE *sample);
// Pans a channel: 0 left, 128 centre, 255 right.
int FSOUND_SetPan(int channel, int pan);
// Stops a channel.
int FSOUND_StopSound(int channel);
// Pauses (non-zero) or resumes a channel where it stands, FSOUND_ALL every channel.
int FSOUND_SetPaused(int channel, int paused);
// Sets the effect volume 0..255.
void FSOUND_SetSFXMasterVolume(int volume);
// Releases a sample (null is ignored).
void FSOUND_Sample_Free(FSOUND_SAMPLE *sample);
// Closes the audio device.
void FSOUND_Close(void);
// Loads an XM module; null when it cannot be loaded (logged) as for samples, with SND_MUSIC_MAX.
FMUSIC_MODULE *FMUSIC_LoadSong(const char *name);
// Pauses (non-zero) or resumes a playing module where it stands.
int FMUSIC_SetPaused(FMUSIC_MODULE *module, int paused);
// Sets a module's volume 0..256.
int FMUSIC_SetMasterVolume(FMUSIC_MODULE *module, int volume);
// Starts a module, looping.
int FMUSIC_PlaySong(FMUSIC_MODULE *module);
// Stops a module.
int FMUSIC_StopSong(FMUSIC_MODULE *module);
// Releases a module (null is ignored).
int FMUSIC_FreeSong(FMUSIC_MODULE *module);

// What the service has done since the last SND_reset_counts: for tests that count sounds.
struct SND_Counts {
    int loads; // samples loaded successfully
    int plays; // FSOUND_PlaySound calls with a non-null sample (whether or not a channel was free)
    int frees; // samples freed
    int song_plays; // FMUSIC_PlaySong calls with a non-null module
    const FSOUND_SAMPLE *last_played;
};
extern SND_Counts SND_counts;
// Zeroes SND_counts.
void SND_reset_counts(void);
