// Batch solving: each read lands in a block's own buffer, workers answer the block's lines where
// they lie, and the answers go out in input order.
#include "batch.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <system_error>
#include <utility>
#include <vector>

#include "batch_block.h"
#include "batch_progress.h"
#include "read_input.h"

// Threads where the C++ library has them; a WebAssembly build without pthreads runs the batch on
// one thread.
#if defined(__EMSCRIPTEN__) && !defined(__EMSCRIPTEN_PTHREADS__)
#define BATCH_THREADS 0
#else
#define BATCH_THREADS 1
#include <condition_variable>
#include <mutex>
#include <thread>
#endif

namespace {

// Workers beyond this many would only hold more blocks in memory on most machines.
constexpr unsigned MAX_WORKERS = 8;

// What the reader, the workers and the writing of one batch share.
struct Batch {
  int inputFd = 0;
  ReadBytes read = ReadInput;
  std::FILE* output = nullptr;
  unsigned workers = 0;  // 0: the reader answers and writes each block itself
  int readErrno = 0;     // of a failed read
  bool outputFailed = false, anyError = false;
  std::uint64_t linesWritten = 0, bytesWritten = 0;  // bytes: of input whose answers are out
  // Blocks are filled and written in turn, so one ring holds them: block number `taken` is the
  // next to fill, `written` the next to write.
  std::vector<Block> ring;
  std::uint64_t taken = 0, written = 0;
#if BATCH_THREADS
  bool writing = false;  // by one thread at a time
  std::condition_variable roomForMore;
#endif
};

// Writes a block's answers; false when the output failed. Flushed when nothing else is ready,
// so that a program that sends one request and waits for its answer is not left waiting.
bool WriteBlock(Batch& batch, const Block& block, bool flush) {
  const bool written = std::fwrite(block.answers.data(), 1, block.answers.size(), batch.output) ==
                       block.answers.size();
  const bool flushed = !flush || std::fflush(batch.output) == 0;
  batch.linesWritten += block.lines;
  batch.bytesWritten += block.inputBytes;
  ReportBatchProgress(batch.linesWritten, batch.bytesWritten);
  return written && flushed;
}

// The next block of the ring to fill, cleared.
Block* NextInRing(Batch& batch) {
  Block* const block = &batch.ring[batch.taken++ % batch.ring.size()];
  ClearBlock(*block);
  return block;
}

// Reads the input to its end (or until the output or a read fails) into blocks from `take`,
// handing each to `handOn` when it has lines to answer, and the last one (maybe empty) at the end.
template <typename Take, typename HandOn>
void ReadBlocks(Batch& batch, Take take, HandOn handOn) {
  bool skipping = false;  // within a line too long
  Block* block = take();
  while (block) {
    const long got = ReadIntoBlock(*block, batch.read, batch.inputFd);
    if (got <= 0) {
      if (got < 0) batch.readErrno = errno;
      // A last line without a line feed is a request; a line that a failed read cut short is
      // not answered, since its end never came.
      if (got == 0) EndLastLine(*block, skipping);
      handOn(block);
      return;
    }
    if (!TakeRead(*block, static_cast<std::size_t>(got), skipping)) continue;
    Block* const next = take();
    if (next) CarryTail(*block, *next);
    handOn(block);
    block = next;
  }
}

void RunOnOneThread(Batch& batch) {
  batch.ring.resize(2);  // the block being filled and the one before, whose end it carries on
  ReadBlocks(
      batch, [&] { return batch.outputFailed ? nullptr : NextInRing(batch); },
      [&](Block* full) {
        AnswerBlock(*full);
        batch.anyError |= full->anyError;
        batch.outputFailed |= !WriteBlock(batch, *full, true);
      });
}

#if BATCH_THREADS

// The workers never end: they answer the blocks of every batch of the process from one queue.
// A thread that ends destroys its thread_local dialog, and MinGW-w64's GCC does that after the
// storage behind thread_local objects has been freed (GCC bug 80816): a joined worker crashed
// coilcalc-cli.exe under Wine. So they are not joined on any platform.
struct WorkerPool {
  std::mutex lock;  // also guards each batch's ring and counts
  std::condition_variable blocksWaiting;
  std::deque<std::pair<Block*, Batch*>> blocks;  // handed on, not yet taken by a worker
  unsigned started = 0;
};

// Never destroyed: its workers never end.
WorkerPool& Pool() {
  static WorkerPool* const pool = new WorkerPool;
  return *pool;
}

// Writes the answered blocks at the front of the ring, in input order. The one thread that
// writes at a time is the one that answered the front block (or the reader, for an empty one),
// so no thread waits to write.
void WriteAnswered(Batch& batch, std::unique_lock<std::mutex>& hold) {
  const auto answered = [&](std::uint64_t number) {
    return number < batch.taken && batch.ring[number % batch.ring.size()].answered;
  };
  while (!batch.writing && answered(batch.written)) {
    Block& block = batch.ring[batch.written % batch.ring.size()];
    const bool more = answered(batch.written + 1);
    batch.writing = true;
    hold.unlock();
    batch.anyError |= block.anyError;
    const bool written = !batch.outputFailed && WriteBlock(batch, block, !more);
    hold.lock();
    batch.outputFailed |= !written;
    batch.writing = false;
    ++batch.written;
    batch.roomForMore.notify_one();  // under the lock: the batch may end after it
  }
}

void PoolWorker(WorkerPool& pool) {
  std::unique_lock<std::mutex> hold(pool.lock);
  for (;;) {
    pool.blocksWaiting.wait(hold, [&] { return !pool.blocks.empty(); });
    const auto [block, batch] = pool.blocks.front();
    pool.blocks.pop_front();
    hold.unlock();
    AnswerBlock(*block);
    hold.lock();
    block->answered = true;
    WriteAnswered(*batch, hold);
  }
}

// Starts workers until the pool has `wanted`, or as many as the system gives; returns how many
// of them the batch can have.
unsigned StartWorkers(WorkerPool& pool, unsigned wanted) {
  std::lock_guard<std::mutex> hold(pool.lock);
  try {
    for (; pool.started < wanted; ++pool.started) std::thread(PoolWorker, std::ref(pool)).detach();
  } catch (const std::system_error&) {
    // No more threads to be had: the batch makes do with those there are.
  }
  return std::min(pool.started, wanted);
}

// A block for the reader to fill, once the ring has room; nullptr when the output failed.
Block* TakeBlockToFill(Batch& batch) {
  std::unique_lock<std::mutex> hold(Pool().lock);
  batch.roomForMore.wait(
      hold, [&] { return batch.taken - batch.written < batch.ring.size() || batch.outputFailed; });
  return batch.outputFailed ? nullptr : NextInRing(batch);
}

// Hands a filled block to the workers, or writes it straight away when it has no line.
void HandToWorkers(Batch& batch, Block* block) {
  WorkerPool& pool = Pool();
  std::unique_lock<std::mutex> hold(pool.lock);
  if (block->overLongFirst || block->whole > 0) {
    pool.blocks.emplace_back(block, &batch);
    pool.blocksWaiting.notify_one();
  } else {
    block->answered = true;
    WriteAnswered(batch, hold);
  }
}

// Reads on this thread while the workers answer; returns when every answer is written.
void RunOnThreads(Batch& batch) {
  batch.ring.resize(2 * batch.workers + 2);  // so memory stays bounded, whatever the input
  ReadBlocks(
      batch, [&] { return TakeBlockToFill(batch); },
      [&](Block* block) { HandToWorkers(batch, block); });
  std::unique_lock<std::mutex> hold(Pool().lock);
  batch.roomForMore.wait(hold, [&] { return batch.written == batch.taken; });
}

#endif

}  // namespace

int RunBatch(int inputFd, std::FILE* output) {
#if BATCH_THREADS
  const unsigned cores = std::thread::hardware_concurrency();
  return RunBatchWith(inputFd, output, ReadInput, cores <= 1 ? 0 : cores);
#else
  return RunBatchWith(inputFd, output, ReadInput, 0);
#endif
}

int RunBatchWith(int inputFd, std::FILE* output, ReadBytes read, unsigned workers) {
  Batch batch;
  batch.inputFd = inputFd;
  batch.read = read;
  batch.output = output;
  StartBatchProgress(inputFd);
  batch.workers = std::min(workers, MAX_WORKERS);
#if BATCH_THREADS
  batch.workers = StartWorkers(Pool(), batch.workers);
  if (batch.workers > 0) RunOnThreads(batch);
#else
  batch.workers = 0;  // no threads to be had
#endif
  if (batch.workers == 0) RunOnOneThread(batch);
  EndBatchProgress();
  if (batch.readErrno != 0) {
    std::fprintf(stderr, "coilcalc-cli: reading the requests failed after %llu lines: %s\n",
                 static_cast<unsigned long long>(batch.linesWritten),
                 std::strerror(batch.readErrno));
    batch.anyError = true;
  }
  batch.outputFailed |= std::fflush(output) != 0;
  if (batch.outputFailed) {
    std::fprintf(stderr, "coilcalc-cli: writing the answers failed\n");
    return 1;
  }
  return batch.anyError ? 1 : 0;
}
