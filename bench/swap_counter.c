/* Preloaded into the game by bench/play_watchdog.sh: counts the frames the game shows (its
 * buffer swaps) and the longest time between two of them, written at exit to the file named by
 * SWAP_COUNTER_FILE as "frames <n> longest_ms <ms>", after a line "slow <ms> at <clock time>" for each frame
 * over a second, to be read beside the times of log.html. With SWAP_TIMES_FILE set, every swap also
 * appends its wall-clock time (milliseconds since the epoch) as one line to that file, as it
 * happens, so that a script can read the frames of each stage of a run (bench/whole_game.sh). */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

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
  static int Times = -2;
  if (Times == -2) {
    const char* Name = getenv("SWAP_TIMES_FILE");
    Times = Name ? open(Name, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644) : -1;
  }
  if (Times >= 0) {
    struct timespec W;
    clock_gettime(CLOCK_REALTIME, &W);
    char Line[32];
    const int Length = snprintf(Line, sizeof Line, "%.3f\n", W.tv_sec * 1000.0 + W.tv_nsec / 1e6);
    if (write(Times, Line, (size_t)Length) < 0) Times = -1;
  }
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
