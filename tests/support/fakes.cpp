#include "support/fakes.h"

#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>

#include <algorithm>
#include <cstddef>
#include <map>

extern "C" {
int __real_rand();
void __real_srand(unsigned seed);
int __real_SDL_UpperBlit(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect);
SDL_Surface* __real_TTF_RenderText_Blended(TTF_Font* font, const char* text, SDL_Color colour);
void __real_SDL_FreeSurface(SDL_Surface* surface);
int __real_SDL_Flip(SDL_Surface* screen);
SDL_Surface* __real_SDL_SetVideoMode(int width, int height, int depth, Uint32 flags);
void __real_Mix_FreeChunk(Mix_Chunk* chunk);
int __real_Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks);
pid_t __real_waitpid(pid_t pid, int* status, int options);
void __real_SDL_Quit();
}

namespace {

std::vector<int> g_script;
size_t g_scriptPos = 0;
int g_randCalls = 0;
unsigned g_lastSeed = 0;
bool g_seedsFixed = false;
unsigned g_nextSeed = 0;

bool g_recordingBlits = false;
std::vector<fakes::Blit> g_blits;

int g_flips = 0;
fakes::VideoModeRequest g_videoModeRequest{};

bool g_failRendering = false;
std::vector<SDL_Surface*> g_liveTexts;
bool g_countingFrees = false;
bool g_reportingSdlQuit = false;
std::map<const void*, int> g_frees;

std::vector<Mix_Chunk*> g_soundsHeard;

int g_nextWaitFailure = 0;
pid_t g_failedWaitChild = 0;

}  // namespace

extern "C" {

int __wrap_rand() {
    ++g_randCalls;
    if (g_scriptPos < g_script.size()) return g_script[g_scriptPos++];
    return __real_rand();
}

void __wrap_srand(unsigned seed) {
    if (g_seedsFixed) seed = g_nextSeed++;
    g_lastSeed = seed;
    __real_srand(seed);
}

int __wrap_SDL_UpperBlit(SDL_Surface* src, SDL_Rect* srcRect, SDL_Surface* dst, SDL_Rect* dstRect) {
    if (g_recordingBlits) {
        SDL_Rect part = srcRect ? *srcRect : SDL_Rect{0, 0, 0, 0};
        g_blits.push_back({src, part, dst, dstRect ? dstRect->x : 0, dstRect ? dstRect->y : 0});
    }
    return __real_SDL_UpperBlit(src, srcRect, dst, dstRect);
}

SDL_Surface* __wrap_SDL_SetVideoMode(int width, int height, int depth, Uint32 flags) {
    g_videoModeRequest = {width, height, depth, flags};
    return __real_SDL_SetVideoMode(width, height, depth == 0 ? 32 : depth, flags);
}

int __wrap_SDL_Flip(SDL_Surface* screen) {
    ++g_flips;
    return __real_SDL_Flip(screen);
}

SDL_Surface* __wrap_TTF_RenderText_Blended(TTF_Font* font, const char* text, SDL_Color colour) {
    if (g_failRendering) {
        SDL_SetError("Out of memory");
        return nullptr;
    }
    SDL_Surface* surface = __real_TTF_RenderText_Blended(font, text, colour);
    if (surface) g_liveTexts.push_back(surface);
    return surface;
}

void __wrap_SDL_FreeSurface(SDL_Surface* surface) {
    g_liveTexts.erase(std::remove(g_liveTexts.begin(), g_liveTexts.end(), surface),
                      g_liveTexts.end());
    if (surface && g_countingFrees) ++g_frees[surface];
    __real_SDL_FreeSurface(surface);
}

void __wrap_Mix_FreeChunk(Mix_Chunk* chunk) {
    if (chunk && g_countingFrees) ++g_frees[chunk];
    __real_Mix_FreeChunk(chunk);
}

void __wrap_SDL_Quit() {
    if (g_reportingSdlQuit) std::fputs("SDL_Quit ran\n", stderr);
    __real_SDL_Quit();
}

pid_t __wrap_waitpid(pid_t pid, int* status, int options) {
    if (g_nextWaitFailure == EINTR) {
        g_nextWaitFailure = 0;
        errno = EINTR;
        return -1;
    }
    if (g_nextWaitFailure != 0) {
        __real_waitpid(pid, status, options);
        errno = g_nextWaitFailure;
        g_nextWaitFailure = 0;
        g_failedWaitChild = pid;
        return -1;
    }
    // Asked again about a child whose wait failed: a game that retries is not kept spinning
    // here, and shows as having taken the box for dismissed.
    if (pid == g_failedWaitChild) {
        g_failedWaitChild = 0;
        if (status) *status = 0;
        return pid;
    }
    return __real_waitpid(pid, status, options);
}

// A chunk played with n further loops is heard n + 1 times.
int __wrap_Mix_PlayChannelTimed(int channel, Mix_Chunk* chunk, int loops, int ticks) {
    const int played = __real_Mix_PlayChannelTimed(channel, chunk, loops, ticks);
    if (played >= 0) g_soundsHeard.insert(g_soundsHeard.end(), loops + 1, chunk);
    return played;
}
}

namespace fakes {

void scriptRand(std::vector<int> values) {
    g_script = std::move(values);
    g_scriptPos = 0;
}

void stopScriptingRand() {
    scriptRand({});
}

void fixSeeds(unsigned first) {
    g_seedsFixed = true;
    g_nextSeed = first;
}

void releaseSeeds() {
    g_seedsFixed = false;
}

int randCalls() {
    return g_randCalls;
}
unsigned lastSeed() {
    return g_lastSeed;
}
void resetRandCounters() {
    g_randCalls = 0;
    g_lastSeed = 0;
}

std::vector<int> mineScript(const std::vector<bool>& mines) {
    std::vector<int> script;
    for (bool mine : mines) script.push_back(mine ? 0 : 99);
    return script;
}

void startRecordingBlits() {
    g_blits.clear();
    g_recordingBlits = true;
}

std::vector<Blit> stopRecordingBlits() {
    g_recordingBlits = false;
    return std::move(g_blits);
}

VideoModeRequest lastVideoModeRequest() {
    return g_videoModeRequest;
}

int flips() {
    return g_flips;
}
void resetFlips() {
    g_flips = 0;
}

void failTextRendering(bool fail) {
    g_failRendering = fail;
}
int liveTextSurfaces() {
    return static_cast<int>(g_liveTexts.size());
}

void reportSdlQuit(bool on) {
    g_reportingSdlQuit = on;
}

void countFrees(bool on) {
    if (on) g_frees.clear();
    g_countingFrees = on;
}
int freesOf(const void* surfaceOrChunk) {
    auto found = g_frees.find(surfaceOrChunk);
    return found == g_frees.end() ? 0 : found->second;
}

void failNextWait(int error) {
    g_nextWaitFailure = error;
}

std::vector<Mix_Chunk*> takeSoundsHeard() {
    return std::move(g_soundsHeard);
}

}  // namespace fakes
