#include "kinds/CulvertResultJson.h"

#include "culvert/CulvertElement.h"
#include "model/PipeCatalogue.h"

void WriteCulvertResultJson(const TCulvertElementResult& r, TJsonWriter& json) {
  const auto object = json.Object();
  json.Field("Flow", r.Flow);
  json.Field("Velocity", r.Velocity);
  json.Field("Overflow", r.Overflow);
  json.Field("InletHeadwater", r.InletHeadwater);
  json.Field("CriticalDepth", r.CriticalDepth);
  json.Field("NormalDepth", r.NormalDepth);
  json.Field("OutletHeadwater", r.OutletHeadwater);
  json.Field("Tailwater", r.Tailwater);
  json.Field("UseHW", static_cast<long long>(r.UseHW));
  json.Field("CulvertQuantity", static_cast<long long>(r.CulvertQuantity));
  json.Field("ElementId", static_cast<long long>(r.ElementId));
  json.Field("FlowType", r.FlowType);
  json.Field("HeadwaterControl", r.HeadwaterControl);
  json.Field("DesignCode", r.DesignCode);
  if (r.Pipe) {
    const auto pipe = json.Object("Pipe");
    json.Field("CulvertType", r.Pipe->CulvertType);
    json.Field("CorrugationType", r.Pipe->CorrugationType);
    json.Field("PipeSizeIndex", static_cast<long long>(r.Pipe->PipeSizeIndex));
    json.Field("SizeLabel", r.Pipe->SizeLabel);
  } else {
    json.Field("Pipe", nullptr);
  }
  json.Field("ImprovedInlet", r.ImprovedInlet);
  json.Field("ImprovedInletType", static_cast<long long>(r.ImprovedInletType));
  json.Field("HeadwaterLoss", r.HeadwaterLoss);
  json.Field("BuriedDepth", r.BuriedDepth);
  json.Field("CoeffN", r.CoeffN);
  json.Field("OutletHeadwaterValid", r.OutletHeadwaterValid);
  json.Field("CoeffKE", r.CoeffKE);
  json.Field("HeadwaterAllowanceCheck", r.HeadwaterAllowanceCheck);
  json.Field("BuriedOption", r.BuriedOption);
}
