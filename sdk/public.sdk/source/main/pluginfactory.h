// The module's class factory: factory information, a list of registered
// classes with their create functions, answering IPluginFactory 1 to 3.
#pragma once

#include "pluginterfaces/base/ipluginbase.h"

#include <vector>

namespace Steinberg {

class CPluginFactory : public IPluginFactory3
{
public:
	using CreateFunction = FUnknown* (*) (void* context);

	// Reference count 1; the last release destroys the factory.
	explicit CPluginFactory (const PFactoryInfo& info);
	virtual ~CPluginFactory ();

	// Each form keeps both an 8-bit and a UTF-16 copy of the record, so that
	// every getClassInfo form answers for every class. False, and nothing
	// registered, for a null record or function or an identifier already
	// registered.
	bool registerClass (const PClassInfo* info, CreateFunction createFunc, void* context = nullptr);
	bool registerClass (const PClassInfo2* info, CreateFunction createFunc, void* context = nullptr);
	bool registerClass (const PClassInfoW* info, CreateFunction createFunc, void* context = nullptr);

	bool isClassRegistered (const FUID& cid) const;
	void removeAllClasses ();

	tresult PLUGIN_API queryInterface (const TUID _iid, void** obj) SMTG_OVERRIDE;
	uint32 PLUGIN_API addRef () SMTG_OVERRIDE;
	uint32 PLUGIN_API release () SMTG_OVERRIDE;

	tresult PLUGIN_API getFactoryInfo (PFactoryInfo* info) SMTG_OVERRIDE;
	int32 PLUGIN_API countClasses () SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfo (int32 index, PClassInfo* info) SMTG_OVERRIDE;
	tresult PLUGIN_API createInstance (FIDString cid, FIDString _iid, void** obj) SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfo2 (int32 index, PClassInfo2* info) SMTG_OVERRIDE;
	tresult PLUGIN_API getClassInfoUnicode (int32 index, PClassInfoW* info) SMTG_OVERRIDE;
	tresult PLUGIN_API setHostContext (FUnknown* context) SMTG_OVERRIDE;

protected:
	struct ClassEntry
	{
		PClassInfo2 info8;
		PClassInfoW info16;
		CreateFunction createFunc;
		void* context;
	};

	bool addEntry (const ClassEntry& entry, bool hasUnicode);
	const ClassEntry* entryAt (int32 index) const;

	int32 refCount {1};
	PFactoryInfo factoryInfo;
	std::vector<ClassEntry> classes;
};

} // namespace Steinberg

// The module's single factory: set by GetPluginFactory, cleared by the
// destructor of the factory it points to.
extern Steinberg::CPluginFactory* gPluginFactory;
