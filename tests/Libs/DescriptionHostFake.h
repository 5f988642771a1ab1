#pragma once

#include <atomic>
#include <map>
#include <string>
#include <vector>

#include "AAX_Errors.h"
#include "AAX_IACFCollection.h"
#include "AAX_IACFComponentDescriptor.h"
#include "AAX_IACFEffectDescriptor.h"
#include "AAX_IACFPropertyMap.h"
#include "AAX_UIDs.h"
#include "ACFPtr.h"

// A minimal host for the description wrappers: a host object with a component factory that
// makes collections, descriptors and maps, each logging the operations it receives. Tests
// choose which interfaces the host offers.
namespace fake
{

struct Options
{
    bool factory = true;
    bool collection = true;
    bool pluginDefinition = true;
    bool descriptors = true;
    bool version2 = true;
    bool maps = true;
    AAX_Result setPropertiesResult = kResultSuccess;
    AAX_Result addEffectResult = kResultSuccess;
};

// Shared by every object of one fake host.
struct World
{
    Options options;
    std::vector<std::string> calls;
    int live = 0;
    void Log(const std::string& call) { calls.push_back(call); }
};

template <class... Interfaces> class Object : public Interfaces...
{
public:
    explicit Object(World& world) : mWorld(world) { ++mWorld.live; }
    virtual ~Object() { --mWorld.live; }

    ACFRESULT QueryInterface(const _acfUID& iid, void** out) override
    {
        *out = Find(iid);
        if (!*out) return ACF_E_NOINTERFACE;
        AddRef();
        return ACF_OK;
    }
    acfUInt32 AddRef() override { return ++mCount; }
    acfUInt32 Release() override
    {
        const acfUInt32 count = --mCount;
        if (count == 0) delete this;
        return count;
    }

protected:
    virtual void* Find(const _acfUID& iid) = 0;
    World& mWorld;

private:
    std::atomic<acfUInt32> mCount{0};
};

class Map : public Object<AAX_IACFPropertyMap_V2>
{
public:
    using Object::Object;
    std::map<int32, int32> values;

    AAX_CBoolean GetProperty(AAX_EProperty property, AAX_CPropertyValue* outValue) override
    {
        auto found = values.find(property);
        if (found == values.end()) return false;
        *outValue = found->second;
        return true;
    }
    AAX_Result AddProperty(AAX_EProperty property, AAX_CPropertyValue value) override
    {
        mWorld.Log("AddProperty " + std::to_string(property) + "=" + std::to_string(value));
        values[property] = value;
        return kResultSuccess;
    }
    AAX_Result RemoveProperty(AAX_EProperty property) override
    {
        values.erase(property);
        return kResultSuccess;
    }
    AAX_Result AddPropertyWithIDArray(AAX_EProperty property, const AAX_SPlugInIdentifierTriad*,
                                      uint32 count) override
    {
        mWorld.Log("AddPropertyWithIDArray " + std::to_string(property) + " " +
                   std::to_string(count));
        return kResultSuccess;
    }
    AAX_CBoolean GetPropertyWithIDArray(AAX_EProperty, const AAX_SPlugInIdentifierTriad**,
                                        uint32*) override
    {
        return true;
    }

protected:
    void* Find(const _acfUID& iid) override
    {
        if (iid == IID_IACFUnknown || iid == IID_IAAXPropertyMapV1)
            return static_cast<AAX_IACFPropertyMap*>(this);
        if (iid == IID_IAAXPropertyMapV2 && mWorld.options.version2)
            return static_cast<AAX_IACFPropertyMap_V2*>(this);
        return nullptr;
    }
};

class EffectDescriptor : public Object<AAX_IACFEffectDescriptor_V2>
{
public:
    using Object::Object;
    AAX_Result AddComponent(IACFUnknown* component) override
    {
        mWorld.Log(component ? "AddComponent" : "AddComponent null");
        return kResultSuccess;
    }
    AAX_Result AddName(const char* name) override
    {
        mWorld.Log(std::string("AddName ") + name);
        return kResultSuccess;
    }
    AAX_Result AddCategory(uint32 category) override
    {
        mWorld.Log("AddCategory " + std::to_string(category));
        return kResultSuccess;
    }
    AAX_Result AddCategoryBypassParameter(uint32, AAX_CParamID) override { return kResultSuccess; }
    AAX_Result AddProcPtr(void*, AAX_CProcPtrID procID) override
    {
        mWorld.Log("AddProcPtr " + std::to_string(procID));
        return kResultSuccess;
    }
    AAX_Result SetProperties(IACFUnknown* properties) override
    {
        mWorld.Log(properties ? "SetProperties" : "SetProperties null");
        return mWorld.options.setPropertiesResult;
    }
    AAX_Result AddResourceInfo(AAX_EResourceType, const char*) override { return kResultSuccess; }
    AAX_Result AddMeterDescription(AAX_CTypeID, const char*, IACFUnknown*) override
    {
        return kResultSuccess;
    }
    AAX_Result AddControlMIDINode(AAX_CTypeID, AAX_EMIDINodeType, const char*, uint32) override
    {
        mWorld.Log("AddControlMIDINode");
        return kResultSuccess;
    }

protected:
    void* Find(const _acfUID& iid) override
    {
        if (iid == IID_IACFUnknown || iid == IID_IAAXEffectDescriptorV1)
            return static_cast<AAX_IACFEffectDescriptor*>(this);
        if (iid == IID_IAAXEffectDescriptorV2 && mWorld.options.version2)
            return static_cast<AAX_IACFEffectDescriptor_V2*>(this);
        return nullptr;
    }
};

class ComponentDescriptor : public Object<AAX_IACFComponentDescriptor_V2>
{
public:
    using Object::Object;
    AAX_Result Clear() override { return Logged("Clear"); }
    AAX_Result AddAudioIn(AAX_CFieldIndex) override { return Logged("AddAudioIn"); }
    AAX_Result AddAudioOut(AAX_CFieldIndex) override { return Logged("AddAudioOut"); }
    AAX_Result AddAudioBufferLength(AAX_CFieldIndex) override
    {
        return Logged("AddAudioBufferLength");
    }
    AAX_Result AddSampleRate(AAX_CFieldIndex) override { return Logged("AddSampleRate"); }
    AAX_Result AddClock(AAX_CFieldIndex) override { return Logged("AddClock"); }
    AAX_Result AddSideChainIn(AAX_CFieldIndex) override { return Logged("AddSideChainIn"); }
    AAX_Result AddDataInPort(AAX_CFieldIndex, uint32, AAX_EDataInPortType) override
    {
        return Logged("AddDataInPort");
    }
    AAX_Result AddAuxOutputStem(AAX_CFieldIndex, int32, const char*) override
    {
        return Logged("AddAuxOutputStem");
    }
    AAX_Result AddPrivateData(AAX_CFieldIndex, int32, uint32) override
    {
        return Logged("AddPrivateData");
    }
    AAX_Result AddDmaInstance(AAX_CFieldIndex, AAX_IDma::EMode) override
    {
        return Logged("AddDmaInstance");
    }
    AAX_Result AddMeters(AAX_CFieldIndex, const AAX_CTypeID*, uint32) override
    {
        return Logged("AddMeters");
    }
    AAX_Result AddMIDINode(AAX_CFieldIndex, AAX_EMIDINodeType, const char*, uint32) override
    {
        return Logged("AddMIDINode");
    }
    AAX_Result AddReservedField(AAX_CFieldIndex, uint32) override
    {
        return Logged("AddReservedField");
    }
    AAX_Result AddProcessProc_Native(AAX_CProcessProc, IACFUnknown* properties,
                                     AAX_CInstanceInitProc, AAX_CBackgroundProc,
                                     AAX_CSelector*) override
    {
        return Logged(properties ? "AddProcessProc_Native" : "AddProcessProc_Native null");
    }
    AAX_Result AddProcessProc_TI(const char*, const char*, IACFUnknown*, const char*, const char*,
                                 AAX_CSelector*) override
    {
        return Logged("AddProcessProc_TI");
    }
    AAX_Result AddTemporaryData(AAX_CFieldIndex, uint32) override
    {
        return Logged("AddTemporaryData");
    }

protected:
    AAX_Result Logged(const char* call)
    {
        mWorld.Log(call);
        return kResultSuccess;
    }
    void* Find(const _acfUID& iid) override
    {
        if (iid == IID_IACFUnknown || iid == IID_IAAXComponentDescriptorV1)
            return static_cast<AAX_IACFComponentDescriptor*>(this);
        if (iid == IID_IAAXComponentDescriptorV2 && mWorld.options.version2)
            return static_cast<AAX_IACFComponentDescriptor_V2*>(this);
        return nullptr;
    }
};

class Collection : public Object<AAX_IACFCollection, IACFPluginDefinition>
{
public:
    using Object::Object;
    AAX_Result AddEffect(const char* effectID, IACFUnknown* descriptor) override
    {
        mWorld.Log(std::string("AddEffect ") + effectID + (descriptor ? "" : " null"));
        if (descriptor) mEffects.emplace_back(descriptor);
        return mWorld.options.addEffectResult;
    }
    AAX_Result SetManufacturerName(const char* name) override
    {
        mWorld.Log(std::string("SetManufacturerName ") + name);
        return kResultSuccess;
    }
    AAX_Result AddPackageName(const char* name) override
    {
        mWorld.Log(std::string("AddPackageName ") + name);
        return kResultSuccess;
    }
    AAX_Result SetPackageVersion(uint32 version) override
    {
        mWorld.Log("SetPackageVersion " + std::to_string(version));
        return kResultSuccess;
    }
    AAX_Result SetProperties(IACFUnknown*) override
    {
        mWorld.Log("Collection SetProperties");
        return kResultSuccess;
    }

protected:
    void* Find(const _acfUID& iid) override
    {
        if (iid == IID_IACFUnknown || iid == IID_IAAXCollectionV1)
            return static_cast<AAX_IACFCollection*>(this);
        if (iid == IID_IACFPluginDefinition && mWorld.options.pluginDefinition)
            return static_cast<IACFPluginDefinition*>(this);
        return nullptr;
    }

private:
    // The host's own references to what it took, as a real host keeps them.
    std::vector<ACFPtr<IACFUnknown>> mEffects;
};

// The host object: answers the component factory and makes the objects above.
class Host : public Object<IACFComponentFactory>
{
public:
    using Object::Object;
    ACFRESULT CreateComponent(const _acfUID& compID, IACFUnknown*, const _acfUID& iid,
                              void** out) override
    {
        *out = nullptr;
        IACFUnknown* made = nullptr;
        const Options& options = mWorld.options;
        if (compID == AAXCompID_AAXCollection && options.collection)
            made = static_cast<AAX_IACFCollection*>(new Collection(mWorld));
        else if (compID == AAXCompID_AAXEffectDescriptor && options.descriptors)
            made = new EffectDescriptor(mWorld);
        else if (compID == AAXCompID_AAXComponentDescriptor && options.descriptors)
            made = new ComponentDescriptor(mWorld);
        else if (compID == AAXCompID_AAXPropertyMap && options.maps)
            made = new Map(mWorld);
        if (!made) return ACF_E_NOINTERFACE;
        made->AddRef();
        const ACFRESULT result = made->QueryInterface(iid, out);
        made->Release();
        return result;
    }

protected:
    void* Find(const _acfUID& iid) override
    {
        if (iid == IID_IACFUnknown) return static_cast<IACFComponentFactory*>(this);
        if (iid == IID_IACFComponentFactory && mWorld.options.factory)
            return static_cast<IACFComponentFactory*>(this);
        return nullptr;
    }
};

// A world with its host object, as most tests start.
struct HostedWorld : World
{
    ACFPtr<Host> host{new Host(*this)};

    // Lets go of the host object and answers how many objects are still alive: what the
    // wrappers failed to release.
    int LiveOnceHostReleased()
    {
        host.Clear();
        return live;
    }
};

} // namespace fake
