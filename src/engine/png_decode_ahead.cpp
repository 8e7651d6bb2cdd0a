#include "engine/png_decode_ahead.h"

#include <algorithm>

#include "platform/errors.h"

TPNGDecodeAhead::TPNGDecodeAhead(bool BuildMipmaps) : Mipmaps(BuildMipmaps) {}

TPNGDecodeAhead::~TPNGDecodeAhead() {
  {
    std::lock_guard<std::mutex> Guard(Lock);
    Stopping = true;
  }
  Changed.notify_all();
  for (std::thread& W : Workers) W.join();
}

void TPNGDecodeAhead::Add(std::string FileName, TReader Read) {
  // The workers hold references into the queue once it runs.
  if (Started) throw ETarnovaError("TPNGDecodeAhead->Add->\"" + FileName + "\" queued after the start");
  Jobs.push_back(TJob{std::move(FileName), std::move(Read), {}, 0, false});
}

void TPNGDecodeAhead::Start() {
  if (Started) return;
  Started = true;
  // A few threads (at least one, so every job gets decoded): the GL thread uploads meanwhile,
  // and the machine may be busy with more.
  const unsigned Cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t Count = std::min<std::size_t>({Jobs.size(), 4, Cores > 1 ? Cores - 1 : 1});
  for (std::size_t i = 0; i < Count; ++i) Workers.emplace_back([this] { Work(); });
}

std::size_t TPNGDecodeAhead::Find(const std::string& FileName) const {
  for (std::size_t i = NextTaken; i < Jobs.size(); ++i)
    if (Jobs[i].FileName == FileName) return i;
  return Jobs.size();
}

bool TPNGDecodeAhead::Has(const std::string& FileName) const {
  std::lock_guard<std::mutex> Guard(Lock);
  return Find(FileName) < Jobs.size();
}

TPNGDecodeAhead::TResult TPNGDecodeAhead::Decode(TJob& Job) const {
  TResult R;
  try {
    auto Bytes = Job.Read();
    Job.Read = nullptr;
    R.Read = Bytes.has_value();
    if (Bytes) {
      TDecodedImage Image = DecodePNGImage(TBytes(Bytes->data(), Bytes->size()), Job.FileName);
      if (Mipmaps) BuildMipmapChain(Image);
      R.Image = std::make_unique<TDecodedImage>(std::move(Image));
    }
  } catch (...) {
    R.Error = std::current_exception();
  }
  return R;
}

void TPNGDecodeAhead::Work() {
  std::unique_lock<std::mutex> Guard(Lock);
  for (;;) {
    // The job right after the ones taken always goes ahead; others wait while the decoded
    // pictures not yet taken fill the budget.
    Changed.wait(Guard, [this] {
      return Stopping || NextJob >= Jobs.size() || NextJob == NextTaken || HeldBytes < kBudgetBytes;
    });
    if (Stopping || NextJob >= Jobs.size()) return;
    const std::size_t Index = NextJob++;
    TJob& Job = Jobs[Index];
    Guard.unlock();
    TResult R = Decode(Job);
    std::size_t Size = 0;
    if (R.Image) {
      Size = R.Image->Pixels.size();
      for (const auto& L : R.Image->Mipmaps) Size += L.size();
    }
    Guard.lock();
    Job.Done = true;
    if (Index >= NextTaken) {
      Job.Result = std::move(R);
      Job.Bytes = Size;
      HeldBytes += Size;
    }
    Changed.notify_all();
  }
}

TPNGDecodeAhead::TResult TPNGDecodeAhead::Take(const std::string& FileName) {
  std::unique_lock<std::mutex> Guard(Lock);
  const std::size_t At = Find(FileName);
  if (At >= Jobs.size()) return TResult{};
  TJob& Job = Jobs[At];
  Changed.wait(Guard, [&] { return Job.Done; });
  TResult R = std::move(Job.Result);
  // The pictures of the files passed by (a name the caller has already, a file gone from disk)
  // go, and their share of the budget with them; one still decoding is dropped by its worker.
  for (std::size_t i = NextTaken; i < At; ++i) {
    if (!Jobs[i].Done) continue;
    HeldBytes -= Jobs[i].Bytes;
    Jobs[i].Result = TResult{};
    Jobs[i].Bytes = 0;
  }
  HeldBytes -= Job.Bytes;
  NextTaken = At + 1;
  Changed.notify_all();
  return R;
}
