// Geometry storage: where points and polygons go when a file is read, and where
// they come from when it is written. A client may keep geometry in its own
// structures; by default the manager is the storage.
#pragma once

#include "ZinGeometry.h"

namespace QvZin {

/// Receives the geometry of files being read.
class IZinExtStorageReader {
public:
  /// Receives the points and polygons of one geometry block.
  class IReader {
  public:
    /// Called once when the block is done.
    virtual void destroy() = 0;
    /// The announced number of points, before the points (a stranger's number: do
    /// not allocate it blindly).
    virtual void setPointCount(int count) = 0;
    /// One point, in order; false cancels the read.
    virtual bool setPoint(const double* xyz, int index) = 0;
    /// The announced number of polygons, before the polygons.
    virtual void setPolygonCount(int count) = 0;
    /// One polygon, in order; the object is reused for the next one, so copy it.
    /// false cancels the read.
    virtual bool setPolygon(const IZinPolygon* polygon, int index) = 0;

  protected:
    ~IReader() = default;
  };

  /// A new reader for the geometry id (the null identifier: the scene's own);
  /// levelZero is true when the block's geometry level is 0. Must not return null.
  virtual IReader* createGeometryReader(const CZinUUID& id, bool levelZero) = 0;

protected:
  ~IZinExtStorageReader() = default;
};

/// Gives the geometry of files being written.
class IZinExtStorageWriter {
public:
  /// Gives the points and polygons of one geometry block.
  class IWriter {
  public:
    /// Called once when the block is done.
    virtual void destroy() = 0;
    /// The number of points, or -1 for failure.
    virtual int getPointCount() = 0;
    /// Fills one point; false cancels the write.
    virtual bool getPoint(double* xyz, int index) = 0;
    /// The number of polygons, or -1 for failure.
    virtual int getPolygonCount() = 0;
    /// Fills polygon (reset by the library between calls); false cancels the write.
    virtual bool getPolygon(IZinPolygon* polygon, int index) = 0;

  protected:
    ~IWriter() = default;
  };

  /// A new writer for the geometry id, or null.
  virtual IWriter* createGeometryWriter(const CZinUUID& id) = 0;

protected:
  ~IZinExtStorageWriter() = default;
};

}  // namespace QvZin
