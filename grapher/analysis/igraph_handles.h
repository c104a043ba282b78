// Owners of igraph's C objects, so that every graph and vector is destroyed on
// every path, and one check that turns igraph's error codes into exceptions.
#pragma once

#include <igraph.h>

#include <cstdint>
#include <mutex>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace quillon::grapher::analysis {

// igraph reports a failure (out of memory, a broken invariant) as a code.
class IgraphError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

void Check(igraph_error_t code, const char* what);

// The Debian build of igraph keeps its error handler and random generator in
// process-wide state and is not thread safe: hold this lock around every use.
// While it is held, igraph's errors return codes instead of aborting.
class IgraphSession {
 public:
  IgraphSession();
  ~IgraphSession();
  IgraphSession(const IgraphSession&) = delete;
  IgraphSession& operator=(const IgraphSession&) = delete;
  // Fixes igraph's random generator for a reproducible run.
  void seed(std::uint64_t seed);

 private:
  std::unique_lock<std::mutex> lock_;
  igraph_error_handler_t* previousError_;
  igraph_warning_handler_t* previousWarning_;
};

class IntVector {
 public:
  explicit IntVector(igraph_integer_t size = 0);
  explicit IntVector(std::span<const std::int32_t> values);
  ~IntVector() {
    if (v_.stor_begin != nullptr) igraph_vector_int_destroy(&v_);
  }
  IntVector(IntVector&& other) noexcept : v_(other.v_) { other.v_.stor_begin = nullptr; }
  IntVector& operator=(IntVector&&) = delete;
  IntVector(const IntVector&) = delete;
  IntVector& operator=(const IntVector&) = delete;
  igraph_vector_int_t* get() { return &v_; }
  const igraph_vector_int_t* get() const { return &v_; }
  igraph_integer_t size() const { return igraph_vector_int_size(&v_); }
  igraph_integer_t operator[](igraph_integer_t i) const { return VECTOR(v_)[i]; }
  std::vector<std::int32_t> toInt32() const;

 private:
  igraph_vector_int_t v_;
};

class RealVector {
 public:
  explicit RealVector(igraph_integer_t size = 0);
  ~RealVector() { igraph_vector_destroy(&v_); }
  RealVector(const RealVector&) = delete;
  RealVector& operator=(const RealVector&) = delete;
  igraph_vector_t* get() { return &v_; }
  igraph_integer_t size() const { return igraph_vector_size(&v_); }
  double operator[](igraph_integer_t i) const { return VECTOR(v_)[i]; }

 private:
  igraph_vector_t v_;
};

class Graph {
 public:
  // Vertices 0..vertexCount-1; edges as consecutive (from, to) pairs.
  Graph(igraph_integer_t vertexCount, const IntVector& edges, bool directed);
  // Takes over a graph igraph has just made.
  static Graph Adopt(igraph_t made) { return Graph(made); }
  ~Graph() {
    if (owned_) igraph_destroy(&g_);
  }
  Graph(Graph&& other) noexcept : g_(other.g_), owned_(other.owned_) { other.owned_ = false; }
  Graph& operator=(Graph&&) = delete;
  Graph(const Graph&) = delete;
  Graph& operator=(const Graph&) = delete;
  const igraph_t* get() const { return &g_; }
  igraph_integer_t vertexCount() const { return igraph_vcount(&g_); }
  igraph_integer_t edgeCount() const { return igraph_ecount(&g_); }

 private:
  explicit Graph(igraph_t made) : g_(made), owned_(true) {}
  igraph_t g_;
  bool owned_;
};

}  // namespace quillon::grapher::analysis
