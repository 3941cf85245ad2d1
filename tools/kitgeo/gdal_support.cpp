#include "tools/kitgeo/gdal_support.hpp"

#include <mutex>

#include <cpl_error.h>

#include "gridkit/grid.hpp"

namespace kitgeo {

namespace {

// Clarke 1866 as GIS knows it: semi-major axis and inverse flattening.
constexpr double kClarke1866A = 6378206.4;
constexpr double kClarke1866InvF = 294.978698213898;

}  // namespace

GdalSession::GdalSession() {
  static std::once_flag registered;
  std::call_once(registered, [] { GDALAllRegister(); });
  CPLPushErrorHandlerEx(&GdalSession::collect, this);
  CPLErrorReset();
}

GdalSession::~GdalSession() { CPLPopErrorHandler(); }

void CPL_STDCALL GdalSession::collect(CPLErr level, CPLErrorNum, const char* message) {
  auto* session = static_cast<GdalSession*>(CPLGetErrorHandlerUserData());
  if (session == nullptr || message == nullptr) return;
  if (level == CE_Warning) {
    session->warnings_.emplace_back(message);
  } else if (level == CE_Failure || level == CE_Fatal) {
    session->last_error_ = message;
    ++session->errors_;
  }
}

std::string GdalSession::last_error(std::string_view fallback) const {
  return last_error_.empty() ? std::string(fallback) : last_error_;
}

std::vector<std::string> GdalSession::take_warnings() {
  std::vector<std::string> taken;
  taken.swap(warnings_);
  return taken;
}

OGRSpatialReference crstm_reference() {
  OGRSpatialReference srs;
  srs.SetProjCS("CRSTM");
  srs.SetGeogCS("Clarke 1866", "Unknown based on Clarke 1866 ellipsoid", "Clarke 1866",
                kClarke1866A, kClarke1866InvF);
  srs.SetTM(44.0, -86.0, 0.9996, 359987.0, 344917.0);
  srs.SetLinearUnits(SRS_UL_METER, 1.0);
  srs.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  return srs;
}

std::array<double, 6> model_geotransform() {
  using gridkit::DELC;
  using gridkit::DELR;
  const double west = static_cast<double>(gridkit::XORIG()) - static_cast<double>(DELR()) / 2.0;
  const double north = static_cast<double>(gridkit::YORIG()) + static_cast<double>(DELC()) / 2.0;
  return {west, static_cast<double>(DELR()), 0.0, north, 0.0, -static_cast<double>(DELC())};
}

}  // namespace kitgeo
