#include "ParameterTableCheck.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <sstream>

#include "AAX_Errors.h"
#include "CheckContext.h"
#include "HostString.h"
#include "ParameterIDs.h"
#include "PluginInstance.h"
#include "PluginModule.h"
#include "ReferenceHost.h"

namespace orv::host::validator
{
namespace
{

// A value read back equals its default when they agree at float precision: the table may
// keep either in single precision.
constexpr double kSameValue = 1e-6;
// More parameters than any host shows; a larger count is taken as garbage.
constexpr int32 kMostParameters = 100000;

std::string Number(double value)
{
    char text[32];
    std::snprintf(text, sizeof(text), "%.9g", value);
    return text;
}

// A parameter meant to start away from its default: "Par1" starts off while its default
// switches tool 1 on, so that a host's "reset to default" turns the first tool on. It is held
// to exactly that start and that default.
struct DeliberateStart
{
    const char* id;
    double value;
    double defaultValue;
};
constexpr DeliberateStart kDeliberateStarts[] = {{kToolParameterIDs[0], 0.0, 1.0}};

const DeliberateStart* DeliberateStartOf(const std::string& id)
{
    for (const DeliberateStart& start : kDeliberateStarts)
        if (id == start.id) return &start;
    return nullptr;
}

// One row of the table as read, kept for the evidence.
struct Row
{
    int32 index = 0;
    std::string id;
    std::string name;
    double defaultValue = 0.0;
    double value = 0.0;
    int32 steps = 0;
    int32 type = 0;
};

// Reads the row's value: a parameter starts at its default, unless it is one of those that
// start elsewhere by design.
void ReadStart(CheckContext& context, const AAX_IACFEffectParameters& parameters,
               const std::string& what, Row& row)
{
    const bool read =
        parameters.GetParameterNormalizedValue(row.id.c_str(), &row.value) == kResultSuccess &&
        std::isfinite(row.value);
    const DeliberateStart* deliberate = DeliberateStartOf(row.id);
    if (!deliberate)
    {
        if (!read || std::fabs(row.value - row.defaultValue) > kSameValue)
            context.Fail(what + " starts at " + Number(row.value) + ", not at its default " +
                         Number(row.defaultValue));
        return;
    }
    if (!read || std::fabs(row.value - deliberate->value) > kSameValue ||
        std::fabs(row.defaultValue - deliberate->defaultValue) > kSameValue)
        context.Fail(what + " starts at " + Number(row.value) + " with the default " +
                     Number(row.defaultValue) + ", not at " + Number(deliberate->value) +
                     " with the default " + Number(deliberate->defaultValue));
    else
        context.Info(what + " starts at " + Number(row.value) + " by design; its default is " +
                     Number(row.defaultValue));
}

// Reads the row at index and reports what is wrong with it on its own; false when the
// identifier cannot be read, so nothing else can be asked.
bool ReadRow(CheckContext& context, const AAX_IACFEffectParameters& parameters, int32 index,
             Row& row)
{
    row.index = index;
    HostString id;
    if (parameters.GetParameterIDFromIndex(index, &id) != kResultSuccess)
    {
        context.Fail("no identifier for index " + std::to_string(index));
        return false;
    }
    row.id = id.Text();
    const std::string what = "parameter " + std::to_string(index) + " \"" + row.id + "\"";
    context.Progress("read " + what);
    if (row.id.empty())
    {
        context.Fail("parameter " + std::to_string(index) + " has an empty identifier");
        return false;
    }

    int32 back = -1;
    if (parameters.GetParameterIndex(row.id.c_str(), &back) != kResultSuccess || back != index)
        context.Fail(what + " is found at index " + std::to_string(back));

    HostString name;
    if (parameters.GetParameterName(row.id.c_str(), &name) != kResultSuccess || name.Text().empty())
        context.Fail(what + " has no name");
    row.name = name.Text();

    if (parameters.GetParameterDefaultNormalizedValue(row.id.c_str(), &row.defaultValue) !=
            kResultSuccess ||
        !std::isfinite(row.defaultValue) || row.defaultValue < 0.0 || row.defaultValue > 1.0)
        context.Fail(what + " has the default " + Number(row.defaultValue) + ", outside 0..1");

    if (parameters.GetParameterNumberOfSteps(row.id.c_str(), &row.steps) != kResultSuccess ||
        row.steps < 0)
        context.Fail(what + " has " + std::to_string(row.steps) + " steps");

    AAX_EParameterType type = AAX_eParameterType_Continuous;
    if (parameters.GetParameterType(row.id.c_str(), &type) != kResultSuccess ||
        (type != AAX_eParameterType_Discrete && type != AAX_eParameterType_Continuous))
        context.Fail(what + " has the unknown type " + std::to_string(type));
    row.type = type;

    ReadStart(context, parameters, what, row);
    return true;
}

void CheckBypass(CheckContext& context, const AAX_IACFEffectParameters& parameters,
                 const std::vector<Row>& rows)
{
    int bypasses = 0;
    for (const Row& row : rows)
        if (row.id == kBypassParameterID) ++bypasses;
    if (bypasses != 1)
        context.Fail("the table has " + std::to_string(bypasses) + " parameters \"" +
                     kBypassParameterID + "\", not one");
    HostString named;
    if (parameters.GetMasterBypassParameter(&named) != kResultSuccess ||
        named.Text() != kBypassParameterID)
        context.Fail("the component names \"" + named.Text() + "\" as its master bypass, not \"" +
                     kBypassParameterID + "\"");
}

// Questions about indices the table does not have: refused, and nothing filled in.
void CheckOutside(CheckContext& context, const AAX_IACFEffectParameters& parameters, int32 count)
{
    for (const int32 index : {-1, count, count + 1, kMostParameters, -kMostParameters})
    {
        context.Progress("ask for the identifier of index " + std::to_string(index));
        HostString id;
        if (parameters.GetParameterIDFromIndex(index, &id) == kResultSuccess)
            context.Fail("index " + std::to_string(index) + " outside the table of " +
                         std::to_string(count) + " gives the identifier \"" + id.Text() + "\"");
    }
}

std::string TableText(const std::vector<Row>& rows)
{
    std::ostringstream text;
    text << "index\tid\tname\tdefault\tvalue\tsteps\ttype\n";
    for (const Row& row : rows)
        text << row.index << '\t' << row.id << '\t' << row.name << '\t' << Number(row.defaultValue)
             << '\t' << Number(row.value) << '\t' << row.steps << '\t' << row.type << '\n';
    return text.str();
}

} // namespace

const char* ParameterTableCheck::Summary() const
{
    return "identifiers unique and non-empty, names non-empty, defaults in 0..1, steps not "
           "negative, one master bypass, values start at their defaults";
}

void ParameterTableCheck::Run(CheckContext& context)
{
    context.Progress("load the module and make an instance");
    ReferenceHost host;
    std::string error;
    std::unique_ptr<PluginModule> module = PluginModule::Load(context.ModulePath(), host, &error);
    std::unique_ptr<PluginInstance> instance =
        module ? PluginInstance::Create(*module, host, {}, &error) : nullptr;
    if (!instance)
    {
        context.Fail(error);
        return;
    }
    const AAX_IACFEffectParameters& parameters = *instance->Parameters();

    int32 count = 0;
    if (parameters.GetNumberOfParameters(&count) != kResultSuccess || count <= 0 ||
        count > kMostParameters)
    {
        context.Fail("the component reports " + std::to_string(count) + " parameters");
        return;
    }
    std::vector<Row> rows;
    std::set<std::string> seen;
    for (int32 index = 0; index < count; ++index)
    {
        Row row;
        if (!ReadRow(context, parameters, index, row)) continue;
        if (!seen.insert(row.id).second)
            context.Fail("the identifier \"" + row.id + "\" appears twice");
        rows.push_back(row);
    }
    CheckBypass(context, parameters, rows);
    CheckOutside(context, parameters, count);
    context.Info(std::to_string(count) + " parameters");
    if (context.Failed()) context.SaveArtifact("parameter-table.tsv", TableText(rows));
}

} // namespace orv::host::validator
