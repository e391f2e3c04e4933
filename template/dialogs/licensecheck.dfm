object LicensePage: TPoolTemplate
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = '$TITLE$ Setup'
  ClientHeight = 360
  ClientWidth = 497
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  PixelsPerInch = 96
  TextHeight = 13
  object HeaderPanel: TPanel
    Left = 0
    Top = 0
    Width = 497
    Height = 58
    Align = alTop
    BevelOuter = bvNone
    Color = clWhite
    ParentBackground = False
    TabOrder = 10
    object HeaderTitle: TLabel
      Left = 20
      Top = 11
      Width = 440
      Height = 16
      AutoSize = False
      Caption = 'License Agreement'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clWindowText
      Font.Height = -13
      Font.Name = 'Tahoma'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object HeaderSubtitle: TLabel
      Left = 32
      Top = 32
      Width = 430
      Height = 14
      AutoSize = False
      Caption = 'Please read the following license agreement carefully.'
    end
  end
  object HeaderLine: TBevel
    Left = 0
    Top = 58
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object LicenseMemo: TMemo
    Left = 20
    Top = 72
    Width = 457
    Height = 170
    Color = clWindow
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 0
    Tag = 2
  end
  object AcceptRadio: TRzRadioButton
    Left = 20
    Top = 254
    Width = 440
    Height = 17
    Caption = 'I &accept the terms of the license agreement'
    Hint = 'LICENSEACCEPTED'
    TabOrder = 1
  end
  object DeclineRadio: TRzRadioButton
    Left = 20
    Top = 278
    Width = 440
    Height = 17
    Caption = 'I &do not accept the terms of the license agreement'
    Checked = True
    TabOrder = 2
  end
  object FooterLine: TBevel
    Left = 0
    Top = 312
    Width = 497
    Height = 2
    Shape = bsTopLine
  end
  object BackButton: TButton
    Left = 232
    Top = 324
    Width = 75
    Height = 25
    Caption = '< &Back'
    Enabled = True
    TabOrder = 20
    Tag = 2
  end
  object NextButton: TButton
    Left = 308
    Top = 324
    Width = 75
    Height = 25
    Caption = '&Next >'
    Default = True
    Enabled = True
    TabOrder = 21
    Tag = 1
  end
  object CancelButton: TButton
    Left = 400
    Top = 324
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    Enabled = True
    TabOrder = 22
    Tag = 3
  end
end
