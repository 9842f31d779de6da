// Our SDK layer's factory and module initialisation, used directly rather
// than through the bundle: the three registration forms, refused
// registrations, the interfaces, and the order of init functions.
#include "public.sdk/source/main/moduleinit.h"
#include "testhost.h"
#include "public.sdk/source/main/pluginfactory.h"

#include "base/source/fobject.h"
#include "pluginterfaces/vst/ivsteditcontroller.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Steinberg;

using LumivoTest::narrow;

namespace {

// Counts the live objects, so that creation and release can be seen.
class Thing final : public FObject
{
public:
	static int alive;
	Thing () { ++alive; }
	~Thing () override { --alive; }
};
int Thing::alive = 0;

FUnknown* makeThing (void*) { return new Thing (); }
FUnknown* makeNothing (void*) { return nullptr; }

const FUID kA (1, 2, 3, 4);
const FUID kB (5, 6, 7, 8);
const FUID kC (9, 10, 11, 12);

std::vector<int> order;
const ModuleInitializer late ([] { order.push_back (3); }, 2000);
const ModuleInitializer early ([] { order.push_back (1); }, 10);
const ModuleInitializer normal ([] { order.push_back (2); });
const ModuleTerminator done ([] { order.push_back (-1); });

} // namespace

TEST (SdkPluginFactory, RegistrationFormsAnswerEveryInfoForm)
{
	PFactoryInfo factoryInfo ("Vendor", "https://example.org", "mailto:a@example.org", PFactoryInfo::kUnicode);
	auto* factory = new CPluginFactory (factoryInfo);

	PClassInfo basic (kA.toTUID (), 1, "Service", "Basic");
	EXPECT_TRUE (factory->registerClass (&basic, makeThing));
	PClassInfo2 second (kB.toTUID (), PClassInfo::kManyInstances, "Audio Module Class", "Zwei",
	                    1, "Fx", "Other", "1.2", "VST 3.7.3");
	EXPECT_TRUE (factory->registerClass (&second, makeThing));
	PClassInfoW wide (kC.toTUID (), 3, "Wide", u"W\u00e9de \U0001F3B5", 0, "Sub", u"V\u00e9ndor",
	                  u"2.0", u"VST 3");
	EXPECT_TRUE (factory->registerClass (&wide, makeNothing));

	// Refused: a second class with a used identifier, null record or function.
	EXPECT_FALSE (factory->registerClass (&basic, makeThing));
	EXPECT_FALSE (factory->registerClass (static_cast<PClassInfo2*> (nullptr), makeThing));
	EXPECT_FALSE (factory->registerClass (&second, nullptr));
	ASSERT_EQ (factory->countClasses (), 3);
	EXPECT_TRUE (factory->isClassRegistered (kB));
	EXPECT_FALSE (factory->isClassRegistered (FUID (0, 0, 0, 1)));

	PClassInfo2 info2;
	ASSERT_EQ (factory->getClassInfo2 (0, &info2), kResultOk);
	EXPECT_STREQ (info2.name, "Basic");
	EXPECT_STREQ (info2.vendor, "");
	EXPECT_EQ (info2.cardinality, 1);
	ASSERT_EQ (factory->getClassInfo2 (2, &info2), kResultOk);
	EXPECT_STREQ (info2.name, "W\xc3\xa9" "de \xf0\x9f\x8e\xb5");
	EXPECT_STREQ (info2.vendor, "V\xc3\xa9ndor");
	EXPECT_STREQ (info2.subCategories, "Sub");
	EXPECT_EQ (info2.cardinality, 3);

	PClassInfoW infoW;
	ASSERT_EQ (factory->getClassInfoUnicode (1, &infoW), kResultOk);
	EXPECT_EQ (narrow (infoW.name), "Zwei");
	EXPECT_EQ (narrow (infoW.vendor), "Other");
	EXPECT_EQ (narrow (infoW.version), "1.2");
	EXPECT_STREQ (infoW.subCategories, "Fx");
	EXPECT_EQ (infoW.classFlags, 1u);
	ASSERT_EQ (factory->getClassInfoUnicode (2, &infoW), kResultOk);
	EXPECT_EQ (std::u16string (reinterpret_cast<const char16_t*> (infoW.name)), u"W\u00e9de \U0001F3B5");

	PClassInfo info;
	ASSERT_EQ (factory->getClassInfo (1, &info), kResultOk);
	EXPECT_STREQ (info.category, "Audio Module Class");
	EXPECT_STREQ (info.name, "Zwei");

	// Creation: a new object per call, handed over with one reference.
	FUnknown* object = nullptr;
	ASSERT_EQ (factory->createInstance (kA.toTUID (), FUnknown::iid, reinterpret_cast<void**> (&object)),
	           kResultOk);
	EXPECT_EQ (Thing::alive, 1);
	EXPECT_EQ (object->release (), 0u);
	EXPECT_EQ (Thing::alive, 0);
	void* none = factory;
	EXPECT_EQ (factory->createInstance (kA.toTUID (), Vst::IEditController::iid, &none), kNoInterface);
	EXPECT_EQ (none, nullptr);
	EXPECT_EQ (Thing::alive, 0);
	EXPECT_EQ (factory->createInstance (kC.toTUID (), FUnknown::iid, &none), kOutOfMemory);
	EXPECT_EQ (factory->createInstance (nullptr, FUnknown::iid, &none), kInvalidArgument);

	FUnknownPtr<IPluginFactory3> factory3 (factory);
	EXPECT_TRUE (factory3);
	EXPECT_EQ (factory3->setHostContext (nullptr), kNotImplemented);
	factory3 = nullptr;
	factory->removeAllClasses ();
	EXPECT_EQ (factory->countClasses (), 0);
	EXPECT_EQ (factory->release (), 0u);
}

TEST (SdkPluginFactory, FullLengthFieldsComeBackTerminated)
{
	auto* factory = new CPluginFactory (PFactoryInfo ("V", "", "", 0));
	const std::string vendor (PClassInfo2::kVendorSize, 'v');
	const std::string sub (PClassInfo2::kSubCategoriesSize, 's');
	// The SDK's record constructor leaves full-length texts unterminated.
	PClassInfo2 full (kA.toTUID (), 1, "Audio Module Class", "Name", 0, sub.c_str (), vendor.c_str (),
	                  "1", "VST 3");
	ASSERT_NE (full.vendor[PClassInfo2::kVendorSize - 1], 0);
	ASSERT_TRUE (factory->registerClass (&full, makeThing));

	PClassInfo2 info2;
	ASSERT_EQ (factory->getClassInfo2 (0, &info2), kResultOk);
	EXPECT_EQ (std::string (info2.vendor), vendor.substr (0, PClassInfo2::kVendorSize - 1));
	EXPECT_EQ (std::string (info2.subCategories), sub.substr (0, PClassInfo2::kSubCategoriesSize - 1));
	EXPECT_STREQ (info2.version, "1");
	PClassInfoW infoW;
	ASSERT_EQ (factory->getClassInfoUnicode (0, &infoW), kResultOk);
	EXPECT_EQ (narrow (infoW.vendor), vendor.substr (0, PClassInfoW::kVendorSize - 1));
	EXPECT_EQ (narrow (infoW.version), "1");
	EXPECT_EQ (factory->release (), 0u);
}

TEST (SdkPluginFactory, DestructorClearsOnlyItsOwnModulePointer)
{
	PFactoryInfo info ("V", "", "", 0);
	auto* current = new CPluginFactory (info);
	auto* other = new CPluginFactory (info);
	gPluginFactory = current;
	other->release ();
	EXPECT_EQ (gPluginFactory, current);
	current->release ();
	EXPECT_EQ (gPluginFactory, nullptr);
}

TEST (SdkModuleInit, InitFunctionsRunByPriorityAndHandleIsKept)
{
	order.clear ();
	EXPECT_TRUE (InitModule ());
	EXPECT_EQ (order, (std::vector<int> {1, 2, 3}));
	EXPECT_TRUE (DeinitModule ());
	EXPECT_EQ (order, (std::vector<int> {1, 2, 3, -1}));

	int marker = 0;
	EXPECT_EQ (getPlatformModuleHandle (), nullptr);
	setPlatformModuleHandle (&marker);
	EXPECT_EQ (getPlatformModuleHandle (), &marker);
	setPlatformModuleHandle (nullptr);
}
