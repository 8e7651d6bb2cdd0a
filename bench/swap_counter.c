/* Preloaded into the game by bench/play_watchdog.sh: counts the frames the game shows (its
 * buffer swaps) and the longest time between two of them, written at exit to the file named by
 * SWAP_COUNTER_FILE as "frames <n> longest_ms <ms>", after a line "slow <ms> at <clock time>" for each frame
 * over a second, to be read beside the times of log.html. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

static unsigned long Frames;
static double Last, Longest;
static char Slow[8192];
static size_t SlowLength;

static double Now(void) {
  struct timespec T;
  clock_gettime(CLOCK_MONOTONIC, &T);
  return T.tv_sec * 1000.0 + T.tv_nsec / 1e6;
}

void SDL_GL_SwapWindow(void* Window) {
  static void (*Real)(void*);
  if (!Real) Real = (void (*)(void*))dlsym(RTLD_NEXT, "SDL_GL_SwapWindow");
  Real(Window);
  const double T = Now();
  if (Frames > 0 && T - Last > Longest) Longest = T - Last;
  if (Frames > 0 && T - Last > 1000.0 && SlowLength + 64 < sizeof Slow) {
    const time_t Wall = time(NULL);
    char Clock[16];
    strftime(Clock, sizeof Clock, "%H:%M:%S", localtime(&Wall));
    SlowLength += (size_t)snprintf(Slow + SlowLength, sizeof Slow - SlowLength, "slow %.0f at %s\n", T - Last, Clock);
  }
  Last = T;
  ++Frames;
}

__attribute__((destructor)) static void Report(void) {
  const char* Name = getenv("SWAP_COUNTER_FILE");
  if (Frames == 0 || !Name) return;
  FILE* F = fopen(Name, "a");
  if (!F) return;
  fputs(Slow, F);
  fprintf(F, "frames %lu longest_ms %.1f\n", Frames, Longest);
  fclose(F);
}
