#include "grapher/analysis/igraph_handles.h"

#ifdef _OPENMP
#include <omp.h>
#endif

namespace quillon::grapher::analysis {
namespace {

std::mutex& IgraphMutex() {
  static std::mutex mutex;  // igraph's own state is process-wide, so is its guard
  return mutex;
}

}  // namespace

void Check(igraph_error_t code, const char* what) {
  if (code != IGRAPH_SUCCESS) throw IgraphError(std::string(what) + ": " + igraph_strerror(code));
}

IgraphSession::IgraphSession()
    : lock_(IgraphMutex()),
      previousError_(igraph_set_error_handler(igraph_error_handler_ignore)),
      previousWarning_(igraph_set_warning_handler(igraph_warning_handler_ignore)) {
#ifdef _OPENMP
  // igraph's OpenMP loops (PRPACK's) on the calling thread alone: their sums then
  // come out the same to the last digit on any machine, and no team of threads
  // spins against a busy machine's other work. The setting is the calling thread's.
  omp_set_num_threads(1);
#endif
}

IgraphSession::~IgraphSession() {
  igraph_set_warning_handler(previousWarning_);
  igraph_set_error_handler(previousError_);
}

void IgraphSession::seed(std::uint64_t seed) {
  Check(igraph_rng_seed(igraph_rng_default(), seed), "seeding igraph");
}

IntVector::IntVector(igraph_integer_t size) {
  Check(igraph_vector_int_init(&v_, size), "igraph_vector_int_init");
}

IntVector::IntVector(std::span<const std::int32_t> values)
    : IntVector(static_cast<igraph_integer_t>(values.size())) {
  for (std::size_t i = 0; i < values.size(); ++i)
    VECTOR(v_)[static_cast<igraph_integer_t>(i)] = values[i];
}

std::vector<std::int32_t> IntVector::toInt32() const {
  std::vector<std::int32_t> out(static_cast<std::size_t>(size()));
  for (std::size_t i = 0; i < out.size(); ++i)
    out[i] = static_cast<std::int32_t>(VECTOR(v_)[static_cast<igraph_integer_t>(i)]);
  return out;
}

RealVector::RealVector(igraph_integer_t size) {
  Check(igraph_vector_init(&v_, size), "igraph_vector_init");
}

Graph::Graph(igraph_integer_t vertexCount, const IntVector& edges, bool directed) : owned_(true) {
  Check(
      igraph_create(&g_, edges.get(), vertexCount, directed ? IGRAPH_DIRECTED : IGRAPH_UNDIRECTED),
      "igraph_create");
}

}  // namespace quillon::grapher::analysis
