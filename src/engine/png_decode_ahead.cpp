#include "engine/png_decode_ahead.h"

#include <algorithm>

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
  Jobs.push_back(TJob{std::move(FileName), std::move(Read), {}, 0, false});
}

void TPNGDecodeAhead::Start() {
  // A few threads (at least one, so every job gets decoded): the GL thread uploads meanwhile,
  // and the machine may be busy with more.
  const unsigned Cores = std::max(1u, std::thread::hardware_concurrency());
  const std::size_t Count = std::min<std::size_t>({Jobs.size(), 4, Cores > 1 ? Cores - 1 : 1});
  for (std::size_t i = 0; i < Count; ++i) Workers.emplace_back([this] { Work(); });
}

bool TPNGDecodeAhead::Has(const std::string& FileName) const {
  std::lock_guard<std::mutex> Guard(Lock);
  return NextTaken < Jobs.size() && Jobs[NextTaken].FileName == FileName;
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
      R.Image = std::move(Image);
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
    TJob& Job = Jobs[NextJob++];
    Guard.unlock();
    TResult R = Decode(Job);
    std::size_t Size = 0;
    if (R.Image) {
      Size = R.Image->Pixels.size();
      for (const auto& L : R.Image->Mipmaps) Size += L.size();
    }
    Guard.lock();
    Job.Result = std::move(R);
    Job.Bytes = Size;
    Job.Done = true;
    HeldBytes += Size;
    Changed.notify_all();
  }
}

TPNGDecodeAhead::TResult TPNGDecodeAhead::Take(const std::string& FileName) {
  std::unique_lock<std::mutex> Guard(Lock);
  if (NextTaken >= Jobs.size() || Jobs[NextTaken].FileName != FileName) return TResult{};
  TJob& Job = Jobs[NextTaken];
  Changed.wait(Guard, [&] { return Job.Done; });
  TResult R = std::move(Job.Result);
  HeldBytes -= Job.Bytes;
  ++NextTaken;
  Changed.notify_all();
  return R;
}
