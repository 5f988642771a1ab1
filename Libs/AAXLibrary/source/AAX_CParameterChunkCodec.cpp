#include "AAX_CParameterChunkCodec.h"

#include "AAX_CString.h"

namespace
{
// A parameter whose typed accessors all refuse.
struct NoValue
{
};

// Calls visit with the parameter's value as the first typed accessor that answers gives it,
// tried in the order the state chunk depends on: float, int32, bool, double, text.
template <typename Visitor> auto VisitValue(const AAX_IParameter& parameter, Visitor&& visit)
{
    if (float value = 0.0f; parameter.GetValueAsFloat(&value)) return visit(value);
    if (int32 value = 0; parameter.GetValueAsInt32(&value)) return visit(value);
    if (bool value = false; parameter.GetValueAsBool(&value)) return visit(value);
    if (double value = 0.0; parameter.GetValueAsDouble(&value)) return visit(value);
    if (AAX_CString value; parameter.GetValueAsString(&value))
        return visit(static_cast<const AAX_CString&>(value));
    return visit(NoValue{});
}

// Saves a value as its record: floats widened to 'd', switches as 'l' 0 or 1.
struct RecordWriter
{
    AAX_CChunkDataParser& parser;
    const char* identifier;

    void operator()(float value) { parser.AddDouble(identifier, static_cast<double>(value)); }
    void operator()(int32 value) { parser.AddInt32(identifier, value); }
    void operator()(bool value) { parser.AddInt32(identifier, value ? 1 : 0); }
    void operator()(double value) { parser.AddDouble(identifier, value); }
    void operator()(const AAX_CString& value) { parser.AddString(identifier, value); }
    void operator()(NoValue) {}
};

// Restores a parameter from its record, when one of its type was read; a set request each.
struct RecordRestorer
{
    AAX_CChunkDataParser& parser;
    AAX_IParameter& parameter;

    void operator()(float)
    {
        double stored = 0.0;
        if (parser.FindDouble(parameter.Identifier(), &stored))
            parameter.SetValueWithFloat(static_cast<float>(stored));
    }
    void operator()(int32)
    {
        int32 stored = 0;
        if (parser.FindInt32(parameter.Identifier(), &stored)) parameter.SetValueWithInt32(stored);
    }
    void operator()(bool)
    {
        int32 stored = 0;
        if (parser.FindInt32(parameter.Identifier(), &stored))
            parameter.SetValueWithBool(stored != 0);
    }
    void operator()(double)
    {
        double stored = 0.0;
        if (parser.FindDouble(parameter.Identifier(), &stored))
            parameter.SetValueWithDouble(stored);
    }
    void operator()(const AAX_CString&)
    {
        AAX_CString stored;
        if (parser.FindString(parameter.Identifier(), &stored))
            parameter.SetValueWithString(stored);
    }
    void operator()(NoValue) {}
};

// Whether the record read for a parameter holds its current value; floats and doubles
// compare at float precision, as the chunk keeps floats widened.
struct RecordComparer
{
    AAX_CChunkDataParser& parser;
    const char* identifier;

    bool operator()(float value)
    {
        double stored = 0.0;
        return parser.FindDouble(identifier, &stored) && static_cast<float>(stored) == value;
    }
    bool operator()(int32 value)
    {
        int32 stored = 0;
        return parser.FindInt32(identifier, &stored) && stored == value;
    }
    bool operator()(bool value)
    {
        int32 stored = 0;
        return parser.FindInt32(identifier, &stored) && (stored != 0) == value;
    }
    bool operator()(double value)
    {
        double stored = 0.0;
        return parser.FindDouble(identifier, &stored) &&
               static_cast<float>(stored) == static_cast<float>(value);
    }
    bool operator()(const AAX_CString& value)
    {
        AAX_CString stored;
        return parser.FindString(identifier, &stored) && stored == value;
    }
    bool operator()(NoValue) { return true; }
};
} // namespace

void AAX_CParameterChunkCodec::Write(AAX_CChunkDataParser& parser, const AAX_IParameter& parameter)
{
    VisitValue(parameter, RecordWriter{parser, parameter.Identifier()});
}

void AAX_CParameterChunkCodec::Restore(AAX_CChunkDataParser& parser, AAX_IParameter& parameter)
{
    VisitValue(parameter, RecordRestorer{parser, parameter});
}

bool AAX_CParameterChunkCodec::Matches(AAX_CChunkDataParser& parser,
                                       const AAX_IParameter& parameter)
{
    return VisitValue(parameter, RecordComparer{parser, parameter.Identifier()});
}
