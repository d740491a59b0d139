// One call from a client, as every object of the stand-in serves it: the
// arguments unpacked in order, the stand-in's member run, its result packed
// for the client (objects as new automation objects with one reference for
// the client), or its run-time error handed back as an automation exception
// (host/com/com_error.h) that gives the client the same number and text.
#pragma once

#include <oaidl.h>

#include <functional>
#include <vector>

#include "host/variant.h"

namespace hostsim::server {

using Call = std::function<host::Variant(const std::vector<host::Variant>& args)>;

HRESULT ServeCall(DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception, UINT* argumentError, const Call& call);

}  // namespace hostsim::server
