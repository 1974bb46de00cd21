#include "manager/mgr_ref.h"

#include <cstdio>
#include <cstring>

#include "manager/mgr.h"

namespace QvZin {

namespace {

constexpr double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

}  // namespace

CZinMgrRef::CZinMgrRef(TSharedPtr<CZIN>* manager) : mMgr(manager) {
  std::memcpy(mMatrix, kIdentity, sizeof mMatrix);
}

ZinResult CZinMgrRef::QueryInterface(const CZinUUID& iid, void** out) {
  return TZinCOMBase<IZinMgrRef>::QueryInterface(iid, out);
}

IZinMgr* CZinMgrRef::getMgr() {
  TSharedPtr<CZIN>* block = mMgr.block();
  if (!block) throw std::runtime_error("TZinWeakPtr::getSharedPtr - Shared pointer is NULL");
  return block->get();
}

void CZinMgrRef::setLanguage(const char* language) {
  if (!language || !language[0] || !language[1] || language[2]) {
    warning("IZinMgr::setLanguage - Invalid language");
    return;
  }
  mLanguage[0] = language[0];
  mLanguage[1] = language[1];
}

void CZinMgrRef::setTransformation(const double* matrix) {
  if (!matrix) return;
  std::memcpy(mMatrix, matrix, sizeof mMatrix);
  mActive = false;
  // Compared with != so that a NaN counts as different from the identity.
  for (int i = 0; i < 16; ++i)
    if (mMatrix[i] != kIdentity[i]) {
      mActive = true;
      break;
    }
}

void CZinMgrRef::transformMatrix(double* matrix) {
  if (!mActive || !matrix) return;
  double product[16];
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += matrix[r * 4 + k] * mMatrix[k * 4 + c];
      product[r * 4 + c] = sum;
    }
  std::memcpy(matrix, product, sizeof product);
}

void CZinMgrRef::transformVector(double* v) {
  if (!mActive || !v) return;
  const double* m = mMatrix;
  const double x = v[0], y = v[1], z = v[2];
  v[0] = m[0] * x + m[4] * y + m[8] * z;
  v[1] = m[1] * x + m[5] * y + m[9] * z;
  v[2] = m[2] * x + m[6] * y + m[10] * z;
}

void CZinMgrRef::transformPoint(double* p) {
  if (!mActive || !p) return;
  const double* m = mMatrix;
  const double x = p[0], y = p[1], z = p[2];
  p[0] = m[0] * x + m[4] * y + m[8] * z + m[12];
  p[1] = m[1] * x + m[5] * y + m[9] * z + m[13];
  p[2] = m[2] * x + m[6] * y + m[10] * z + m[14];
}

void CZinMgrRef::warning(const char* message) {
  try {
    // The strong reference keeps the manager alive during the client's callback.
    TZinStrongPtr<CZIN> manager = mMgr.lock();
    if (!manager) return;
    if (IZinFeedback* feedback = manager->getFeedback()) feedback->warning(manager.get(), message ? message : "");
  } catch (...) {
    // A warning never fails its sender.
  }
}

void CZinMgrRef::exception(const char* where, const std::exception& e) {
  char text[1024];
  std::snprintf(text, sizeof text, "Exception in %s : %s", where ? where : "", e.what());
  warning(text);
}

void CZinMgrRef::otherException(const char* where) {
  char text[1024];
  std::snprintf(text, sizeof text, "Unknown exception in %s", where ? where : "");
  warning(text);
}

}  // namespace QvZin
