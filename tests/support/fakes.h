#pragma once

// The test binary is linked with the C library's rand and srand, SDL's blit, flip, surface
// release and shutdown, SDL_mixer's chunk play and release, SDL_ttf's blended renderer and
// waitpid wrapped (the linker's --wrap), so tests can lay out boards of their choosing, see
// what was blitted in which order, see SDL shut down, and make text rendering and waiting fail.

#include <SDL.h>
#include <SDL_mixer.h>

#include <vector>

namespace fakes {

// While a script is set, rand() hands out its values in turn, then falls back to the real one.
void scriptRand(std::vector<int> values);
void stopScriptingRand();
// Calls of rand() and the last seed given to srand() since the last reset.
int randCalls();
unsigned lastSeed();
void resetRandCounters();

// While fixed, the game's srand(time) calls are given first, first + 1, ... instead, so a
// long run lays out the same boards each time.
void fixSeeds(unsigned first);
void releaseSeeds();

// A script that makes exactly the cells marked true mines for any percentage from 0 to 98.
std::vector<int> mineScript(const std::vector<bool>& mines);

struct Blit {
    SDL_Surface* source;
    SDL_Rect sourceRect;
    SDL_Surface* target;
    int x;
    int y;
};

// Records every blit while recording is on.
void startRecordingBlits();
std::vector<Blit> stopRecordingBlits();

// What the game last asked SDL_SetVideoMode for. SDL's dummy display, on which the tests
// run, has a current depth of 8 bits; a request for the current depth gets 32 bits instead,
// as on a desktop, so that pictures land on the screen unquantised.
struct VideoModeRequest {
    int width;
    int height;
    int depth;
    Uint32 flags;
};
VideoModeRequest lastVideoModeRequest();

// Screen flips since the last reset.
int flips();
void resetFlips();

// While set, the blended text renderer fails as it would when out of memory.
void failTextRendering(bool fail);
// Text surfaces rendered and not yet freed.
int liveTextSurfaces();

// While counting (switching it on starts afresh), how often each surface or sound chunk was
// freed.
void countFrees(bool on);
int freesOf(const void* surfaceOrChunk);

// The next waitpid fails with this error: at once for EINTR, after the child has really
// ended for any other.
void failNextWait(int error);

// While set, SDL_Quit says on standard error that it ran, for a test that watches a process
// end.
void reportSdlQuit(bool on);

// Each time a sound is heard, in the order the mixer started them, since the last call: a
// chunk played with loops appears once for every time it sounds.
std::vector<Mix_Chunk*> takeSoundsHeard();

}  // namespace fakes
