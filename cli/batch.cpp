// Batch solving: a reader cuts the input into blocks of whole lines, workers answer the blocks
// on every core, and a writer puts the answers out in input order.
#include "batch.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <deque>
#include <memory>
#include <system_error>
#include <vector>

#include "batch_progress.h"
#include "json_writer.h"
#include "read_input.h"
#include "solve_case.h"

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

constexpr std::size_t READ_CHUNK = std::size_t{1} << 16;
// Workers beyond this many would only hold more blocks in memory on most machines.
constexpr unsigned MAX_WORKERS = 8;

// One read's worth of whole request lines, and then their answers.
struct Block {
  std::string text;  // the lines, one after the other, without their line feeds
  struct Line {
    std::size_t begin, length;
    bool overLong;  // longer than MAX_REQUEST_BYTES: its bytes were skipped
  };
  std::vector<Line> lines;
  std::size_t inputBytes = 0;  // bytes of input the block stands for, line feeds included
  std::string answers;
  bool anyError = false;
  bool answered = false;
};

void AnswerBlock(Block& block) {
  for (const Block::Line& line : block.lines) {
    if (line.overLong) {
      AppendErrorLine(block.answers,
                      "line longer than " + std::to_string(MAX_REQUEST_BYTES) + " bytes, skipped");
      block.anyError = true;
    } else if (!AnswerRequestLine(std::string_view(block.text).substr(line.begin, line.length),
                                  block.answers)) {
      block.anyError = true;
    }
  }
}

// Reads some bytes of input: the count, 0 at its end, or -1 with errno set.
long ReadSome(ReadBytes read, int inputFd, char* buffer, std::size_t size) {
  for (;;) {
    const std::ptrdiff_t got = read(inputFd, buffer, size);
    if (got >= 0 || errno != EINTR) return static_cast<long>(got);
  }
}

// Cuts the input into blocks of whole lines, one block per read, so that the answers to what
// has come in go out before the reader waits for more.
struct LineCutter {
  std::string partial;  // the bytes of the line read so far, when it is not over-long
  bool overLong = false;
  std::size_t partialBytes = 0;  // bytes of that line read, over-long or not

  void AddToLine(const char* bytes, std::size_t count) {
    partialBytes += count;
    if (overLong) return;
    if (partial.size() + count > MAX_REQUEST_BYTES) {
      overLong = true;
      partial.clear();
      partial.shrink_to_fit();
      return;
    }
    partial.append(bytes, count);
  }
  void EndLine(Block& block) {
    block.lines.push_back({block.text.size(), partial.size(), overLong});
    block.text += partial;
    block.inputBytes += partialBytes;
    partial.clear();
    overLong = false;
    partialBytes = 0;
  }
  bool Pending() const { return partialBytes > 0; }

  // Adds the lines that `bytes` completes to the block.
  void Cut(const char* bytes, std::size_t count, Block& block) {
    const char* next = bytes;
    const char* const end = bytes + count;
    while (next < end) {
      const char* const lineFeed =
          static_cast<const char*>(std::memchr(next, '\n', static_cast<std::size_t>(end - next)));
      if (!lineFeed) {
        AddToLine(next, static_cast<std::size_t>(end - next));
        return;
      }
      AddToLine(next, static_cast<std::size_t>(lineFeed - next));
      ++partialBytes;  // the line feed
      EndLine(block);
      next = lineFeed + 1;
    }
  }
};

void ClearBlock(Block& block) {
  block.text.clear();
  block.lines.clear();
  block.inputBytes = 0;
  block.answers.clear();
  block.anyError = false;
  block.answered = false;
}

// What the reader, the workers and the writer share.
struct Pipeline {
  int inputFd = 0;
  ReadBytes read = ReadInput;
  std::FILE* output = nullptr;
  unsigned workers = 0;  // 0: the reader answers and writes each block itself
  bool readFailed = false;
  int readErrno = 0;
  bool outputFailed = false;
  bool anyError = false;
  std::uint64_t linesWritten = 0;
  std::uint64_t bytesWritten = 0;  // input bytes whose answers are out
#if BATCH_THREADS
  std::mutex lock;
  std::condition_variable workToDo, frontAnswered, roomForMore;
  std::deque<Block*> unanswered;  // waiting for a worker
  std::deque<Block*> unwritten;   // every block not yet written, in input order
  std::vector<std::unique_ptr<Block>> spare;
  bool inputEnded = false;
  std::size_t maxInFlight = 1;
#endif
};

// Writes a block's answers; false when the output failed. Flushed when nothing else is ready,
// so that a program that sends one request and waits for its answer is not left waiting.
bool WriteBlock(Pipeline& pipeline, const Block& block, bool flush) {
  const bool written =
      block.answers.empty() || std::fwrite(block.answers.data(), 1, block.answers.size(),
                                           pipeline.output) == block.answers.size();
  const bool flushed = !flush || std::fflush(pipeline.output) == 0;
  pipeline.linesWritten += block.lines.size();
  pipeline.bytesWritten += block.inputBytes;
  ReportBatchProgress(pipeline.linesWritten, pipeline.bytesWritten);
  return written && flushed;
}

// Reads the input to its end (or until the output fails), handing each block to `submit`.
template <typename Submit, typename NewBlock>
void ReadBlocks(Pipeline& pipeline, NewBlock newBlock, Submit submit) {
  std::vector<char> chunk(READ_CHUNK);
  LineCutter cutter;
  for (;;) {
    const long got = ReadSome(pipeline.read, pipeline.inputFd, chunk.data(), chunk.size());
    if (got < 0) {
      pipeline.readFailed = true;
      pipeline.readErrno = errno;
      break;
    }
    if (got == 0) break;
    Block* block = newBlock();
    if (!block) return;  // the output failed
    cutter.Cut(chunk.data(), static_cast<std::size_t>(got), *block);
    if (!submit(block)) return;
  }
  // A last line without a line feed is still a request.
  if (cutter.Pending()) {
    Block* block = newBlock();
    if (!block) return;
    cutter.EndLine(*block);
    submit(block);
  }
}

void RunOnOneThread(Pipeline& pipeline) {
  Block block;
  ReadBlocks(
      pipeline,
      [&]() -> Block* {
        ClearBlock(block);
        return pipeline.outputFailed ? nullptr : &block;
      },
      [&](Block* full) {
        AnswerBlock(*full);
        pipeline.anyError |= full->anyError;
        pipeline.outputFailed |= !WriteBlock(pipeline, *full, true);
        return !pipeline.outputFailed;
      });
}

#if BATCH_THREADS

void WorkerLoop(Pipeline& pipeline) {
  std::unique_lock<std::mutex> hold(pipeline.lock);
  for (;;) {
    pipeline.workToDo.wait(hold,
                           [&] { return !pipeline.unanswered.empty() || pipeline.inputEnded; });
    if (pipeline.unanswered.empty()) return;
    Block* block = pipeline.unanswered.front();
    pipeline.unanswered.pop_front();
    hold.unlock();
    AnswerBlock(*block);
    hold.lock();
    block->answered = true;
    if (block == pipeline.unwritten.front()) pipeline.frontAnswered.notify_one();
  }
}

void WriterLoop(Pipeline& pipeline) {
  std::unique_lock<std::mutex> hold(pipeline.lock);
  for (;;) {
    pipeline.frontAnswered.wait(hold, [&] {
      return (!pipeline.unwritten.empty() && pipeline.unwritten.front()->answered) ||
             (pipeline.unwritten.empty() && pipeline.inputEnded);
    });
    if (pipeline.unwritten.empty()) return;
    Block* block = pipeline.unwritten.front();
    const bool more = pipeline.unwritten.size() > 1 && pipeline.unwritten[1]->answered;
    hold.unlock();
    pipeline.anyError |= block->anyError;
    const bool written = !pipeline.outputFailed && WriteBlock(pipeline, *block, !more);
    hold.lock();
    pipeline.outputFailed |= !written;
    pipeline.unwritten.pop_front();
    pipeline.spare.emplace_back(block);
    pipeline.roomForMore.notify_one();
  }
}

// The workers live as long as the process and wait between batches. A thread that ends destroys
// its thread_local dialog, and MinGW-w64's GCC does that after the storage behind thread_local
// objects has been freed (GCC bug 80816): a worker that ended crashed coilcalc-cli.exe. So no
// worker ever ends, on every platform alike.
struct WorkerPool {
  std::mutex lock;
  std::condition_variable batchStarted, batchDone;
  Pipeline* pipeline = nullptr;
  std::uint64_t batch = 0;  // batches handed to the workers so far
  unsigned workers = 0;     // started
  unsigned active = 0;      // of them, those that answer the current batch: the first ones
  unsigned busy = 0;        // workers not yet done with the current batch
};

WorkerPool& Pool() {
  static WorkerPool* const pool = new WorkerPool;  // never destroyed: its workers never end
  return *pool;
}

void PoolWorker(WorkerPool& pool, unsigned index, std::uint64_t seen) {
  std::unique_lock<std::mutex> hold(pool.lock);
  for (;;) {
    pool.batchStarted.wait(hold, [&] { return pool.batch != seen; });
    seen = pool.batch;
    Pipeline& pipeline = *pool.pipeline;
    const bool active = index < pool.active;
    hold.unlock();
    if (active) WorkerLoop(pipeline);
    hold.lock();
    if (--pool.busy == 0) pool.batchDone.notify_all();
  }
}

// Starts workers until the pool has `wanted`, or as many as the system gives; returns how many
// of them the batch can have.
unsigned StartWorkers(WorkerPool& pool, unsigned wanted) {
  std::lock_guard<std::mutex> hold(pool.lock);
  try {
    while (pool.workers < wanted) {
      std::thread(PoolWorker, std::ref(pool), pool.workers, pool.batch).detach();
      ++pool.workers;
    }
  } catch (const std::system_error&) {
    // No more threads to be had: the batch makes do with those there are.
  }
  return std::min(pool.workers, wanted);
}

// A block for the reader to fill, new or spare, queued for writing in input order; nullptr when
// the output failed. Waits while the pipeline holds as many blocks as it may.
Block* TakeBlockToFill(Pipeline& pipeline) {
  std::unique_lock<std::mutex> hold(pipeline.lock);
  pipeline.roomForMore.wait(hold, [&] {
    return pipeline.unwritten.size() < pipeline.maxInFlight || pipeline.outputFailed;
  });
  if (pipeline.outputFailed) return nullptr;
  std::unique_ptr<Block> block;
  if (pipeline.spare.empty()) {
    block = std::make_unique<Block>();
  } else {
    block = std::move(pipeline.spare.back());
    pipeline.spare.pop_back();
  }
  ClearBlock(*block);
  pipeline.unwritten.push_back(block.get());
  return block.release();  // owned by `unwritten` until written, then by `spare`
}

// Hands a filled block to the workers, or to the writer straight away when it holds no line.
bool SubmitBlock(Pipeline& pipeline, Block* block) {
  std::lock_guard<std::mutex> hold(pipeline.lock);
  if (block->lines.empty()) {
    block->answered = true;  // a read within one long line: nothing to answer
    if (block == pipeline.unwritten.front()) pipeline.frontAnswered.notify_one();
  } else {
    pipeline.unanswered.push_back(block);
    pipeline.workToDo.notify_one();
  }
  return true;
}

// Sets the pool's started workers on `pipeline`.
void HandToPool(WorkerPool& pool, Pipeline& pipeline) {
  {
    std::lock_guard<std::mutex> hold(pool.lock);
    pool.pipeline = &pipeline;
    pool.active = pipeline.workers;
    pool.busy = pool.workers;
    ++pool.batch;
  }
  pool.batchStarted.notify_all();
}

// Tells the workers and the writer that the input has ended, and waits until all are done.
void FinishOnThreads(WorkerPool& pool, Pipeline& pipeline, std::thread& writer) {
  {
    std::lock_guard<std::mutex> hold(pipeline.lock);
    pipeline.inputEnded = true;
  }
  pipeline.workToDo.notify_all();
  pipeline.frontAnswered.notify_all();
  writer.join();
  std::unique_lock<std::mutex> hold(pool.lock);
  pool.batchDone.wait(hold, [&] { return pool.busy == 0; });
  pool.pipeline = nullptr;
}

void RunOnThreads(Pipeline& pipeline) {
  WorkerPool& pool = Pool();
  pipeline.workers = StartWorkers(pool, pipeline.workers);
  std::thread writer;
  if (pipeline.workers > 0) {
    try {
      writer = std::thread(WriterLoop, std::ref(pipeline));
    } catch (const std::system_error&) {
    }
  }
  if (!writer.joinable()) {
    pipeline.workers = 0;
    RunOnOneThread(pipeline);
    return;
  }
  pipeline.maxInFlight = 2 * pipeline.workers + 2;
  HandToPool(pool, pipeline);
  ReadBlocks(
      pipeline, [&]() { return TakeBlockToFill(pipeline); },
      [&](Block* block) { return SubmitBlock(pipeline, block); });
  FinishOnThreads(pool, pipeline, writer);
}

#endif

unsigned WorkerCount() {
#if BATCH_THREADS
  const unsigned cores = std::thread::hardware_concurrency();
  return cores <= 1 ? 0 : std::min(cores, MAX_WORKERS);
#else
  return 0;
#endif
}

}  // namespace

int RunBatch(int inputFd, std::FILE* output) {
  return RunBatchWith(inputFd, output, ReadInput, WorkerCount());
}

int RunBatchWith(int inputFd, std::FILE* output, ReadBytes read, unsigned workers) {
  Pipeline pipeline;
  pipeline.inputFd = inputFd;
  pipeline.read = read;
  pipeline.output = output;
  pipeline.workers = std::min(workers, MAX_WORKERS);
  StartBatchProgress(inputFd);
#if BATCH_THREADS
  if (pipeline.workers > 0) {
    RunOnThreads(pipeline);
  } else {
    RunOnOneThread(pipeline);
  }
#else
  RunOnOneThread(pipeline);
#endif
  EndBatchProgress();
  if (pipeline.readFailed) {
    std::fprintf(stderr, "coilcalc-cli: reading the requests failed: %s\n",
                 std::strerror(pipeline.readErrno));
    pipeline.anyError = true;
  }
  pipeline.outputFailed |= std::fflush(output) != 0;
  if (pipeline.outputFailed) {
    std::fprintf(stderr, "coilcalc-cli: writing the answers failed\n");
    return 1;
  }
  return pipeline.anyError ? 1 : 0;
}
