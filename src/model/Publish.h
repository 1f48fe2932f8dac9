#pragma once

#include "Alignment.h"
#include "Persistent.h"
#include "PropertyInfo.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

// Builds published property entries from a class's getters and setters, so that each
// class declares its table one line per property. T is the class that declares them.
template <class T>
class TPublish
{
public:
    static TPropertyInfo Integer(QString Name, QString TypeName, qint32 (T::*Get)() const, void (T::*Set)(qint32))
    {
        return Scalar(std::move(Name), std::move(TypeName), TPropertyKind::Integer, {},
                      [Get](const TPersistent& Object) { return TPropertyValue((Self(Object).*Get)()); },
                      [Set](TPersistent& Object, const TPropertyValue& Value) {
                          (Self(Object).*Set)(std::get<qint32>(Value));
                      });
    }

    static TPropertyInfo Boolean(QString Name, bool (T::*Get)() const, void (T::*Set)(bool))
    {
        return Scalar(std::move(Name), QStringLiteral("Boolean"), TPropertyKind::Enumeration,
                      {QStringLiteral("False"), QStringLiteral("True")},
                      [Get](const TPersistent& Object) { return TPropertyValue(qint32((Self(Object).*Get)() ? 1 : 0)); },
                      [Set](TPersistent& Object, const TPropertyValue& Value) {
                          (Self(Object).*Set)(std::get<qint32>(Value) != 0);
                      });
    }

    static TPropertyInfo Alignment(QString Name, TAlignment (T::*Get)() const, void (T::*Set)(TAlignment))
    {
        return Scalar(std::move(Name), QStringLiteral("TAlignment"), TPropertyKind::Enumeration,
                      {QStringLiteral("taLeftJustify"), QStringLiteral("taRightJustify"), QStringLiteral("taCenter")},
                      [Get](const TPersistent& Object) { return TPropertyValue(qint32((Self(Object).*Get)())); },
                      [Set](TPersistent& Object, const TPropertyValue& Value) {
                          (Self(Object).*Set)(TAlignment(std::get<qint32>(Value)));
                      });
    }

    static TPropertyInfo Float(QString Name, QString TypeName, double (T::*Get)() const, void (T::*Set)(double))
    {
        return Scalar(std::move(Name), std::move(TypeName), TPropertyKind::Float, {},
                      [Get](const TPersistent& Object) { return TPropertyValue((Self(Object).*Get)()); },
                      [Set](TPersistent& Object, const TPropertyValue& Value) {
                          (Self(Object).*Set)(std::get<double>(Value));
                      });
    }

    static TPropertyInfo Text(QString Name, QString TypeName, QString (T::*Get)() const, void (T::*Set)(const QString&))
    {
        return Scalar(std::move(Name), std::move(TypeName), TPropertyKind::Text, {},
                      [Get](const TPersistent& Object) { return TPropertyValue((Self(Object).*Get)()); },
                      [Set](TPersistent& Object, const TPropertyValue& Value) {
                          (Self(Object).*Set)(std::get<QString>(Value));
                      });
    }

    // A list of owned objects of class E, reached directly through the field.
    template <class E>
    static TPropertyInfo ObjectList(QString Name, QString TypeName, std::vector<std::unique_ptr<E>> T::*Field)
    {
        TPropertyInfo Info;
        Info.Name = std::move(Name);
        Info.TypeName = std::move(TypeName);
        Info.Kind = TPropertyKind::ObjectList;
        TObjectListAccess Access;
        Access.ElementClass = &E::StaticClass;
        Access.Count = [Field](const TPersistent& Object) { return qsizetype((Self(Object).*Field).size()); };
        Access.Item = [Field](const TPersistent& Object, qsizetype Index) -> const TPersistent& {
            return *(Self(Object).*Field)[std::size_t(Index)];
        };
        Access.Replace = [Field](TPersistent& Object, std::vector<std::unique_ptr<TPersistent>> Items) {
            std::vector<std::unique_ptr<E>> Typed;
            Typed.reserve(Items.size());
            for (std::unique_ptr<TPersistent>& Item : Items)
                Typed.emplace_back(static_cast<E*>(Item.release()));
            // The old entries are freed when Typed goes out of scope after the swap.
            (Self(Object).*Field).swap(Typed);
        };
        Info.List = std::move(Access);
        return Info;
    }

private:
    static const T& Self(const TPersistent& Object) { return static_cast<const T&>(Object); }
    static T& Self(TPersistent& Object) { return static_cast<T&>(Object); }

    template <class G, class S>
    static TPropertyInfo Scalar(QString Name, QString TypeName, TPropertyKind Kind, QStringList Identifiers, G Getter, S Setter)
    {
        TPropertyInfo Info;
        Info.Name = std::move(Name);
        Info.TypeName = std::move(TypeName);
        Info.Kind = Kind;
        Info.EnumIdentifiers = std::move(Identifiers);
        Info.Getter = std::move(Getter);
        Info.Setter = std::move(Setter);
        return Info;
    }
};
