#pragma once
// PNG files of a texture folder decoded ahead on worker threads while the caller uploads them
// in order on the GL thread. Decoding is most of the cost of loading a picture; the GL calls
// and every message stay on the caller's thread, in the order of the files.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/texture_decoders.h"

class TPNGDecodeAhead {
public:
  // Reads a file's bytes; none when it cannot be read. Runs on a worker thread.
  using TReader = std::function<std::optional<std::vector<std::uint8_t>>()>;

  // What a worker made of one file: not readable, decoded, or the decoder's error. The picture
  // is held by pointer, so handing it from worker to caller moves one pointer (moving it inside
  // a std::optional draws false "maybe uninitialized" warnings from gcc's optimiser).
  struct TResult {
    bool Read = false;
    std::unique_ptr<TDecodedImage> Image;
    std::exception_ptr Error;
  };

  // BuildMipmaps: each decoded picture also gets its mipmap chain, built on the worker.
  explicit TPNGDecodeAhead(bool BuildMipmaps);
  // Waits for the workers; files not taken are dropped.
  ~TPNGDecodeAhead();
  TPNGDecodeAhead(const TPNGDecodeAhead&) = delete;
  TPNGDecodeAhead& operator=(const TPNGDecodeAhead&) = delete;

  // Files are queued before Start (Add after Start throws ETarnovaError) and taken in the same
  // order; a caller may pass files by.
  void Add(std::string FileName, TReader Read);
  void Start();
  // FileName is queued and neither taken nor passed by.
  bool Has(const std::string& FileName) const;
  // FileName's result (waits for it); the files queued before it that were not taken are passed
  // by and dropped. Nothing when FileName is not queued after the files taken.
  TResult Take(const std::string& FileName);

  // Decoded bytes held ahead of the file being taken, at most.
  static constexpr std::size_t kBudgetBytes = 16u << 20;

private:
  struct TJob {
    std::string FileName;
    TReader Read;
    TResult Result;
    std::size_t Bytes = 0;
    bool Done = false;
  };
  void Work();
  TResult Decode(TJob& Job) const;

  bool Mipmaps;
  std::vector<TJob> Jobs;
  std::vector<std::thread> Workers;
  mutable std::mutex Lock;
  std::condition_variable Changed;
  std::size_t NextJob = 0;    // the next job a worker picks up
  std::size_t NextTaken = 0;  // the first job the caller has neither taken nor passed by
  std::size_t HeldBytes = 0;  // decoded and not yet taken
  bool Started = false;
  bool Stopping = false;
  // The first job at or after NextTaken for FileName; Jobs.size() when none.
  std::size_t Find(const std::string& FileName) const;
};
