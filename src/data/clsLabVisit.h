#pragma once

#include <QString>

// One lab visit's results. It carries no patient: the holder keeps that.
class clsLabVisit {
public:
    qint32 ID() const { return m_id; }
    void SetID(qint32 pID) { m_id = pID; }
    const QString& LabDate() const { return m_labDate; }
    void SetLabDate(const QString& pLabDate) { m_labDate = pLabDate; }
    qint32 OverallCL() const { return m_overallCL; }
    void SetOverallCL(qint32 pOverallCL) { m_overallCL = pOverallCL; }
    qint32 HDL() const { return m_hdl; }
    void SetHDL(qint32 pHDL) { m_hdl = pHDL; }
    qint32 LDL() const { return m_ldl; }
    void SetLDL(qint32 pLDL) { m_ldl = pLDL; }
    qint32 LP_a() const { return m_lpA; }
    void SetLP_a(qint32 pLP_a) { m_lpA = pLP_a; }
    qint32 Triglycerides() const { return m_triglycerides; }
    void SetTriglycerides(qint32 pTriglycerides) { m_triglycerides = pTriglycerides; }
    qint32 HMCYST() const { return m_hmcyst; }
    void SetHMCYST(qint32 pHMCYST) { m_hmcyst = pHMCYST; }
    qint32 CRP() const { return m_crp; }
    void SetCRP(qint32 pCRP) { m_crp = pCRP; }
    qint32 SGOT_AST() const { return m_sgotAst; }
    void SetSGOT_AST(qint32 pSGOT_AST) { m_sgotAst = pSGOT_AST; }
    qint32 SGPT_ALT() const { return m_sgptAlt; }
    void SetSGPT_ALT(qint32 pSGPT_ALT) { m_sgptAlt = pSGPT_ALT; }
    qint32 TSH() const { return m_tsh; }
    void SetTSH(qint32 pTSH) { m_tsh = pTSH; }
    qint32 CPK() const { return m_cpk; }
    void SetCPK(qint32 pCPK) { m_cpk = pCPK; }
    const QString& Intervention() const { return m_intervention; }
    void SetIntervention(const QString& pIntervention) { m_intervention = pIntervention; }
    qint32 AddDate() const { return m_addDate; }
    void SetAddDate(qint32 pAddDate) { m_addDate = pAddDate; }

private:
    qint32 m_id = 0;
    QString m_labDate;
    qint32 m_overallCL = 0;
    qint32 m_hdl = 0;
    qint32 m_ldl = 0;
    qint32 m_lpA = 0;
    qint32 m_triglycerides = 0;
    qint32 m_hmcyst = 0;
    qint32 m_crp = 0;
    qint32 m_sgotAst = 0;
    qint32 m_sgptAlt = 0;
    qint32 m_tsh = 0;
    qint32 m_cpk = 0;
    QString m_intervention;
    qint32 m_addDate = 0;
};
